// dict create/find/add/amend/remove/status/walk/import/check: the dictionary by word.

#include "cli.h"
#include "dictionary/additional_import.h"
#include "dictionary/bulk_transfer.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_walk.h"
#include "drill/word_file.h"
#include "platform/file_errors.h"
#include "platform/replace_file.h"
#include "platform/services.h"
#include "review/review_list.h"
#include "strings/app_strings.h"
#include "strings/cli_strings.h"
#include "strings/import_strings.h"
#include "strings/review_strings.h"
#include "strings/settings_strings.h"
#include "strings/strings.h"
#include "strings/transfer_strings.h"

#include <QJsonArray>
#include <filesystem>
#include <fstream>

namespace quorvel::cli {

namespace {

// The open dictionary of a command, closed when the command ends.
class OpenedDictionary
{
public:
    explicit OpenedDictionary(const Context& ctx)
    {
        int error = 0;
        // The folder's own dictionary must be a working dictionary; a file named with
        // --dictionary may be an additional one.
        m_file = openDictionaryFile(ctx.dictionaryPath(), !ctx.workingDictionary(), &error);
        if (!m_file) {
            const std::string reason = error == FileError::kBadFormat
                ? strings::kCliNotWorkingDictionary
                : FileErrorMessage(error);
            throw CommandError(Exit::kUnusable,
                std::string(strings::kUnableToOpenDictionary) + " " + ctx.dictionaryPath() + ": "
                    + reason);
        }
    }
    ~OpenedDictionary() { CloseDictionary(m_file); }
    File& file() { return *m_file; }
    bool close() { return CloseDictionary(m_file); }
    // Ends a command that wrote: the file's bytes go to the disk before it is closed.
    bool syncAndClose()
    {
        const bool synced = m_file && m_file->sync();
        return CloseDictionary(m_file) && synced;
    }

private:
    DictionaryHandle m_file;
};

QJsonObject resultObject(DictResult result)
{
    return QJsonObject { { "result", resultCode(result) } };
}

// Ends a command with a dictionary result: prints `out` on success, otherwise fails with the
// result's message (a file error makes the file unusable, exit 2; anything else is exit 1).
// `notThere` is what DictResult::NotFound means to this command.
void finish(const Context& ctx, DictResult result, bool success, const std::string& word,
    const char* notThere, const QJsonObject& out)
{
    if (success) {
        ctx.out().print(out);
        return;
    }
    std::string message;
    switch (result) {
    case DictResult::FileError:
        throw CommandError(
            Exit::kUnusable, ctx.dictionaryPath() + strings::kCliDictionaryFault, out);
    case DictResult::NotFound:
        message = word + notThere;
        break;
    case DictResult::NotSuitable:
        message = word + strings::kCliNotSuitable;
        break;
    case DictResult::AlreadyThere:
        message = word + strings::kCliAlreadyThere;
        break;
    case DictResult::SoundLinked:
        message = word + strings::kCliSoundLinked;
        break;
    case DictResult::Done:
    case DictResult::FoundInCategory:
        message = word + ": " + std::to_string(resultCode(result));
        break;
    }
    throw CommandError(Exit::kNotSuccess, message, out);
}

// Ends a command that may have changed the dictionary. A change is written through to the disk,
// and when it may have moved records (anything but a status), every user's list is marked used
// up, so that no list goes on pointing at them. `done` says what the command did ("CAT was
// added"): a failure after the change reports it with what could not follow, with exit 2.
void finishChange(const Context& ctx, OpenedDictionary& dictionary, bool changed, bool movesRecords,
    const std::string& done, const QJsonObject& out)
{
    if (!changed) {
        dictionary.close();
        return;
    }
    const bool synced = dictionary.syncAndClose();
    std::string listFailed;
    const bool listsMarked = !movesRecords || !ctx.changesFolderDictionary()
        || invalidateAllWordFiles(ctx.folder(), &listFailed);
    if (!synced)
        throw CommandError(
            Exit::kUnusable, done + strings::kCliButNotOnDisk + ctx.dictionaryPath(), out);
    if (!listsMarked)
        throw CommandError(
            Exit::kUnusable, done + strings::kCliButListsNotMarked + listFailed, out);
}

// A word that left its chain but whose record the free list could not take: the change is done,
// and said so, with a warning.
void warnNotFreed(const std::string& done, const ChangeNotes& notes, QJsonObject& out)
{
    if (!notes.recordNotFreed)
        return;
    const std::string warning = done + strings::kCliRecordNotFreed;
    out.insert("warning", QString::fromStdString(warning));
    Output::note(warning);
}

void applyAttributeOptions(const Args& args, CurrentWordInfo& info)
{
    if (auto c = args.integer("category", 0, 63))
        info.setCategory(static_cast<std::uint16_t>(*c));
    if (auto l = args.integer("language", 1, 3))
        info.setLanguage(static_cast<std::uint16_t>(*l));
    if (auto m = args.integer("media", 0, 1))
        info.setMediaFlag(static_cast<std::uint16_t>(*m));
    if (auto s = args.integer("sound-flag", 0, 1))
        info.setSoundFlag(static_cast<std::uint16_t>(*s));
    if (auto i = args.integer("sound-index", 0, 9999))
        info.setSoundIndex(static_cast<std::uint16_t>(*i));
}

void createCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, {}, { "additional", "force" });
    const std::string path = args.positional(0, "dictionary file");
    args.expectPositionals(1);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && !args.has("force"))
        throw CommandError(Exit::kUnusable, path + " already exists (use --force to replace it)");
    const auto image = buildDictionaryImage({}, args.has("additional") ? dict::kAdditionalKind : 0);
    // A file already there stays as it was unless the new one is complete on disk.
    if (const ReplaceResult saved = replaceFile(path, image.data(), image.size()); !saved)
        throw CommandError(Exit::kUnusable,
            path + ": "
                + (saved.diskFull() ? std::string(strings::kDiskSpaceProblem)
                                    : FileErrorMessage(saved.fileError)));
    ctx.out().print(QJsonObject {
        { "created", QString::fromStdString(path) }, { "bytes", static_cast<int>(image.size()) } });
}

void findCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, {}, {});
    const std::string word = args.positional(0, "word");
    args.expectPositionals(1);
    OpenedDictionary dictionary(ctx);
    CurrentWordInfo info;
    const FindResult result = FindWord(dictionary.file(), word, info);
    QJsonObject out = resultObject(toDictResult(result));
    if (isFound(result)) {
        QJsonArray statuses;
        for (int u = 0; u < 10; ++u)
            statuses.append(info.status(u));
        out.insert("statuses", statuses);
        out.insert("language", info.language());
        out.insert("category", info.category());
        out.insert("added", info.addedMarker());
        out.insert("soundFlag", info.soundFlag());
        out.insert("media", info.mediaFlag());
        out.insert("soundIndex", info.soundIndex());
    }
    finish(ctx, toDictResult(result), isFound(result), word, strings::kCliNotInDictionary, out);
}

void addCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "category", "language", "media", "sound-flag" }, {});
    const std::string word = args.positional(0, "word");
    args.expectPositionals(1);
    CurrentWordInfo info;
    info.setLanguage(3);
    applyAttributeOptions(args, info);
    OpenedDictionary dictionary(ctx);
    const AddResult result = AddWord(dictionary.file(), word, info);
    const bool added = result == AddResult::Added;
    const QJsonObject out = resultObject(toDictResult(result));
    finishChange(ctx, dictionary, added, true, word + strings::kCliWasAdded, out);
    finish(ctx, toDictResult(result), added, word, strings::kCliNotAdded, out);
}

// An amend of a word that must be found first: a word not suitable or not there has nothing to
// amend, a lookup that fails is a file error.
template <typename Amend> AmendResult amendFound(FindResult found, Amend amend)
{
    switch (found) {
    case FindResult::InMain:
    case FindResult::InCategory:
        return amend();
    case FindResult::FileError:
        return AmendResult::FileError;
    case FindResult::NotFound:
    case FindResult::NotSuitable:
        break;
    }
    return AmendResult::NotFound;
}

void amendCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "category", "language", "media", "sound-flag", "sound-index" }, {});
    const std::string word = args.positional(0, "word");
    args.expectPositionals(1);
    OpenedDictionary dictionary(ctx);
    CurrentWordInfo info;
    ChangeNotes notes;
    const AmendResult result = amendFound(FindWord(dictionary.file(), word, info), [&] {
        applyAttributeOptions(args, info);
        return AmendWord(dictionary.file(), word, args.has("sound-index"), info, &notes);
    });
    const bool amended = result == AmendResult::Amended;
    QJsonObject out = resultObject(toDictResult(result));
    if (result == AmendResult::FileError) {
        // A move whose undo failed too leaves the word in both tables: lists are marked used up
        // all the same. The file error is what the command reports.
        dictionary.syncAndClose();
        if (ctx.changesFolderDictionary())
            invalidateAllWordFiles(ctx.folder());
    }
    finishChange(ctx, dictionary, amended, true, word + strings::kCliWasAmended, out);
    warnNotFreed(word + strings::kCliWasAmended, notes, out);
    finish(ctx, toDictResult(result), amended, word, strings::kCliNotInDictionary, out);
}

void removeCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, {}, {});
    const std::string word = args.positional(0, "word");
    args.expectPositionals(1);
    OpenedDictionary dictionary(ctx);
    ChangeNotes notes;
    RemoveResult result = RemoveWord(dictionary.file(), word, &notes);
    // The word left its chain: it is removed, whatever became of its record afterwards.
    if (notes.unlinked)
        result = RemoveResult::Removed;
    QJsonObject out = resultObject(toDictResult(result));
    finishChange(ctx, dictionary, notes.unlinked, true, word + strings::kCliWasRemoved, out);
    warnNotFreed(word + strings::kCliWasRemoved, notes, out);
    // The folder's users review words of the folder's dictionary: the word leaves their
    // schedules. One that cannot be changed is a warning; the removal stands.
    if (notes.unlinked && ctx.changesFolderDictionary()) {
        const ReviewForgetResult forgot = forgetInReviewSchedules(ctx.folder(), word);
        if (forgot.failure) {
            const std::string warning = word + strings::kReviewForgetFailed
                + reviewFileMessage(*forgot.failure, forgot.failedPath);
            out.insert("warning", QString::fromStdString(warning));
            Output::note(warning);
        }
    }
    finish(ctx, toDictResult(result), result == RemoveResult::Removed, word,
        strings::kCliNotInDictionary, out);
}

void statusCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user", "set" }, {});
    const std::string word = args.positional(0, "word");
    args.expectPositionals(1);
    const int user = userOption(args);
    const int status = static_cast<int>(args.requiredInteger("set", 0, 3));
    OpenedDictionary dictionary(ctx);
    CurrentWordInfo info;
    std::uint32_t offset = 0;
    // A status is an amend of the word.
    const AmendResult result = amendFound(FindWord(dictionary.file(), word, info, &offset), [&] {
        if (!LoadWordInfo(dictionary.file(), offset, info))
            return AmendResult::FileError;
        info.setStatus(user, static_cast<std::uint16_t>(status));
        return StoreWordInfo(dictionary.file(), offset, info) ? AmendResult::Amended
                                                              : AmendResult::FileError;
    });
    const bool set = result == AmendResult::Amended;
    const QJsonObject out = resultObject(toDictResult(result));
    // A status moves no record: the users' lists stay as they are.
    finishChange(ctx, dictionary, set, false, word + strings::kCliStatusWasSet, out);
    finish(ctx, toDictResult(result), set, word, strings::kCliNotInDictionary, out);
}

void walkCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words,
        { "start", "table", "category", "language", "min-text", "max-text", "filter-mode", "user" },
        { "no-skip" });
    args.expectPositionals(0);
    const std::string table = args.value("table").value_or("main");
    if (table != "main" && table != "category")
        throw UsageError("--table is main or category");
    ListCriteria criteria;
    criteria.category = static_cast<std::uint16_t>(args.integer("category", 0, 63).value_or(0));
    criteria.language
        = static_cast<std::int16_t>(args.integer("language", -32768, 32767).value_or(2));
    criteria.minText
        = static_cast<std::int16_t>(args.integer("min-text", -32768, 32767).value_or(1));
    criteria.maxText
        = static_cast<std::int16_t>(args.integer("max-text", -32768, 32767).value_or(35));
    criteria.filterMode
        = static_cast<std::uint32_t>(args.integer("filter-mode", 0, 0xFFFFFFFFL).value_or(1));
    criteria.skipMismatch = args.has("no-skip") ? 0 : 1;
    const int user = static_cast<int>(args.integer("user", 0, 9).value_or(0));
    OpenedDictionary dictionary(ctx);
    const WalkLap lap
        = walkOneLap(dictionary.file(), criteria, table == "main" ? Table::Main : Table::Category,
            args.value("start").value_or("AARDVARK"), user);
    QJsonArray list;
    for (const std::string& w : lap.words)
        list.append(QString::fromStdString(w));
    const QJsonObject out { { "words", list }, { "failed", lap.failed ? 1 : 0 } };
    if (lap.failed)
        throw CommandError(Exit::kUnusable, ctx.dictionaryPath() + strings::kCliWalkFailed, out);
    ctx.out().print(out);
}

void importCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "category", "language" }, {});
    const std::string path = args.positional(0, "word list file");
    args.expectPositionals(1);
    // A folder opens as a stream that reads nothing, which would look like an empty list.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw CommandError(Exit::kUnusable, path + strings::kCliIsAFolder);
    if (const FileTest test = testFileExists(path); !test.exists())
        throw CommandError(Exit::kUnusable,
            strings::kCliCannotReadFile + path + ": " + oneLine(FileErrorMessage(test.fileError)));
    std::ifstream in(path);
    if (!in)
        throw CommandError(Exit::kUnusable, strings::kCliCannotReadFile + path);
    CurrentWordInfo info;
    info.setLanguage(3);
    applyAttributeOptions(args, info);
    OpenedDictionary dictionary(ctx);
    int added = 0, already = 0, unsuitable = 0, errors = 0;
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos)
            continue;
        switch (AddWord(dictionary.file(), line.substr(first), info)) {
        case AddResult::Added:
            ++added;
            break;
        case AddResult::AlreadyThere:
            ++already;
            break;
        case AddResult::NotSuitable:
            ++unsuitable;
            break;
        case AddResult::FileError:
            ++errors;
            break;
        }
    }
    const bool readToEnd = in.eof() && !in.bad();
    const QJsonObject out { { "added", added }, { "already", already },
        { "unsuitable", unsuitable }, { "errors", errors } };
    finishChange(
        ctx, dictionary, added > 0, true, std::to_string(added) + strings::kCliWordsWereAdded, out);
    if (!readToEnd)
        throw CommandError(Exit::kUnusable, strings::kCliCannotReadFile + path, out);
    if (errors != 0)
        throw CommandError(Exit::kUnusable,
            std::to_string(errors) + strings::kCliImportFaults + ctx.dictionaryPath(), out);
    ctx.out().print(out);
}

// The report as the report window shows it, one line at a time ("\r\n" ends a line).
void printReportText(const std::string& text)
{
    std::string line;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            std::printf("%s\n", line.c_str());
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// Transfers every word of a text file into the working category of a user (the startup user
// unless --user says otherwise, or --category), as the window command does, and prints its report.
void transferCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "language", "user", "category", "limit" }, { "moves", "lock-sounds" });
    const std::string path = args.positional(0, "text file");
    args.expectPositionals(1);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw CommandError(Exit::kUnusable, path + strings::kCliIsAFolder);
    if (const FileTest test = testFileExists(path); !test.exists())
        throw CommandError(Exit::kUnusable,
            strings::kCliCannotReadFile + path + ": " + oneLine(FileErrorMessage(test.fileError)));
    // A text too large is refused before a byte of it is read.
    const auto bytes = std::filesystem::file_size(path, ec);
    if (ec)
        throw CommandError(Exit::kUnusable, strings::kCliCannotReadFile + path);
    if (const std::string tooLarge = checkTransferSize(bytes); !tooLarge.empty())
        throw CommandError(Exit::kUnusable, path + ": " + tooLarge);
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || text.size() != bytes)
        throw CommandError(Exit::kUnusable, strings::kCliCannotReadFile + path);

    const StartupInfo info = ctx.startup(false);
    BulkTransferSetup setup;
    setup.settings.transferAll = args.has("moves");
    setup.settings.lockSoundWords = args.has("lock-sounds");
    setup.settings.language
        = static_cast<BulkLanguage>(args.integer("language", 1, 3).value_or(3) - 1);
    const int user = args.has("user") ? userOption(args) : info.startupUser() % 10;
    setup.category = static_cast<std::uint16_t>(
        args.integer("category", 0, 63).value_or(info.workingCategory(user)));
    setup.categoryName = [&info](int slot) { return info.categoryName(slot); };
    setup.wordLimit
        = static_cast<int>(args.integer("limit", 0, 1000000).value_or(kTransferWordLimit));

    OpenedDictionary dictionary(ctx);
    const BulkTransferResult result = runBulkTransfer(dictionary.file(), text, setup);
    std::string report = transferReportHeading();
    QJsonArray lines;
    for (const std::string& line : result.lines) {
        report += line;
        lines.append(QString::fromStdString(line).trimmed());
    }
    report += transferStatistics(result.counters);
    const TransferCounters& c = result.counters;
    QJsonObject out { { "lines", lines }, { "transferred", c.of(TransferOutcome::Transferred) },
        { "failed", c.of(TransferOutcome::Failed) },
        { "already", c.of(TransferOutcome::AlreadyThere) },
        { "moved", c.of(TransferOutcome::Moved) },
        { "unableToMove", c.of(TransferOutcome::UnableToMove) },
        { "badInput", c.of(TransferOutcome::BadInput) }, { "errors", c.of(TransferOutcome::Error) },
        { "soundLinked", c.of(TransferOutcome::SoundLinked) }, { "total", c.total() },
        { "limitReached", result.limitReached } };
    const bool changed = c.of(TransferOutcome::Transferred) + c.of(TransferOutcome::Moved) > 0
        || result.fileFailed;
    if (!ctx.out().json())
        printReportText(report);
    finishChange(ctx, dictionary, changed, true,
        std::to_string(c.of(TransferOutcome::Transferred) + c.of(TransferOutcome::Moved))
            + strings::kCliWordsWereTransferred,
        ctx.out().json() ? out : QJsonObject {});
    if (result.fileFailed)
        throw CommandError(Exit::kUnusable, ctx.dictionaryPath() + strings::kCliDictionaryFault,
            ctx.out().json() ? out : QJsonObject {});
    if (ctx.out().json())
        ctx.out().print(out);
}

// A category given by its number or by its name among `names` (the first that matches).
template <typename Names>
int categoryArgument(const Args& args, const char* option, const Names& nameOf)
{
    const std::string text = args.required(option);
    if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos)
        return static_cast<int>(
            parseInteger(text, 0, kCategorySlots - 1, std::string("--") + option));
    for (int slot = 0; slot < kCategorySlots; ++slot) {
        if (nameOf(slot) == text)
            return slot;
    }
    throw UsageError(std::string("--") + option + ": no category is named '" + text + "'");
}

// Names a category of the additional dictionary in FOLDER, so a teacher can prepare an import:
// the category-names file (adddict.cfg) is made when the folder has none, and a file there that
// is not one is refused and left as it is.
void nameAdditionalCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "category", "name" }, {});
    const std::string folder = args.positional(0, "folder");
    args.expectPositionals(1);
    const auto slot
        = static_cast<std::size_t>(args.requiredInteger("category", 1, kCategorySlots - 1));
    const std::string name = args.required("name");
    if (!isAdditionalCategoryName(name))
        throw UsageError("--name: a name is 1 to 26 characters of text");
    const std::string path = additionalFilePath(folder, kAdditionalConfigName);
    AdditionalCategoryNames names = defaultAdditionalNames();
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        const AdditionalConfigRead read = readAdditionalConfig(folder);
        if (!read.names)
            throw CommandError(Exit::kUnusable,
                oneLine(std::string(strings::kImportConfigUnreadable) + " " + read.reason));
        names = *read.names;
    }
    names[slot] = name;
    const std::vector<std::uint8_t> bytes = encodeAdditionalConfig(names);
    if (const ReplaceResult saved = replaceFile(path, bytes.data(), bytes.size()); !saved)
        throw CommandError(Exit::kUnusable,
            path + ": "
                + (saved.diskFull() ? std::string(strings::kDiskSpaceProblem)
                                    : FileErrorMessage(saved.fileError)));
    ctx.out().print(QJsonObject { { "file", QString::fromStdString(path) },
        { "category", static_cast<int>(slot) }, { "named", QString::fromStdString(name) } });
}

// Imports one category of the additional dictionary in FOLDER (adddict.dis and adddict.cfg) into
// a category of the dictionary: into a free one, which then takes the imported category's name,
// or into a named one. With --force words already there are moved to the category too.
void importAdditionalCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "from-category", "into-category" }, { "force" });
    const std::string folder = args.positional(0, "folder");
    args.expectPositionals(1);
    const AdditionalConfigRead config = readAdditionalConfig(folder);
    if (!config.names)
        throw CommandError(Exit::kUnusable,
            oneLine(std::string(strings::kImportConfigUnreadable) + " " + config.reason));
    const AdditionalCategoryNames& sourceNames = *config.names;
    const StartupInfo info = ctx.startup(false);
    const int from = categoryArgument(args, "from-category",
        [&](int slot) { return sourceNames[static_cast<std::size_t>(slot)]; });
    const int into = categoryArgument(
        args, "into-category", [&](int slot) { return info.categoryName(slot); });
    const std::string sourceName = sourceNames[static_cast<std::size_t>(from)];
    const bool add = info.categoryName(into) == strings::kFreeCategory;
    if (add
        && (sourceName.empty() || sourceName == strings::kFreeCategory
            || sourceName == strings::defaultCategoryName(0)))
        throw CommandError(Exit::kNotSuccess, oneLine(strings::kImportSourceUnnamed));
    // The free category is named in the stored record, which must be there before a word moves.
    std::optional<StartupInfo> stored;
    if (add)
        stored = ctx.storedStartup();

    std::string reason;
    DictionaryHandle additional = openAdditionalDictionary(folder, &reason);
    if (!additional)
        throw CommandError(
            Exit::kUnusable, oneLine(std::string(strings::kTransferOpenFailed) + " " + reason));
    OpenedDictionary dictionary(ctx);
    AdditionalImportRequest request;
    request.from = from;
    request.to = into;
    request.force = args.has("force");
    request.soundIndexFree = soundIndexFreeForPrefix;
    const AdditionalImportCounts counts
        = importAdditionalCategory(*additional, dictionary.file(), request);
    CloseDictionary(additional);
    QJsonObject out { { "successful", static_cast<qint64>(counts.successful) },
        { "already", static_cast<qint64>(counts.already) },
        { "unable", static_cast<qint64>(counts.unable) },
        { "moved", static_cast<qint64>(counts.moved) }, { "category", into } };
    finishChange(ctx, dictionary, counts.changedWords() || counts.fileError, true,
        std::to_string(counts.successful + counts.moved) + strings::kCliWordsWereTransferred, out);
    if (add && counts.successful > 0) {
        stored->setCategoryName(into, sourceName);
        if (!ctx.saveStartup(*stored))
            throw CommandError(Exit::kUnusable, oneLine(strings::kErrorWritingUserInfo), out);
        out.insert("named", QString::fromStdString(sourceName));
    }
    if (counts.readError || counts.fileError)
        throw CommandError(Exit::kUnusable, oneLine(strings::kImportStoppedOnError), out);
    ctx.out().print(out);
}

QJsonArray textArray(const std::vector<std::string>& texts)
{
    QJsonArray out;
    for (const std::string& t : texts)
        out.append(QString::fromStdString(t));
    return out;
}

QJsonObject checkObject(const DictionaryCheckReport& report)
{
    QJsonArray interrupted;
    for (const InterruptedMove& m : report.interruptedMoves)
        interrupted.append(QString::fromStdString(m.word));
    return QJsonObject { { "ok", report.ok },
        { "kind", report.fileKind == dict::kAdditionalKind ? "additional" : "working" },
        { "main", static_cast<qint64>(report.mainWords) },
        { "category", static_cast<qint64>(report.categoryWords) },
        { "free", static_cast<qint64>(report.freeRecords) },
        { "problems", textArray(report.problems) }, { "interrupted", interrupted },
        { "mendable", report.mendable() } };
}

// The line that says what is wrong: a move cut short has its own, as every word is still there.
std::string checkMessage(const Context& ctx, const DictionaryCheckReport& report)
{
    const std::string first = report.problems.empty() ? std::string() : report.problems.front();
    if (report.onlyInterruptedMoves())
        return ctx.dictionaryPath() + ": " + strings::kCliMovesCutShort + first;
    return ctx.dictionaryPath() + ": " + strings::kCliDictionaryProblems + first
        + (report.mendable() ? strings::kCliRepairMends : "");
}

std::unique_ptr<File> openForCheck(const Context& ctx, OpenMode mode)
{
    int error = 0;
    auto file = File::open(ctx.dictionaryPath(), mode, &error);
    if (!file)
        throw CommandError(Exit::kUnusable, ctx.dictionaryPath() + ": " + FileErrorMessage(error));
    return file;
}

void checkCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, {}, {});
    args.expectPositionals(0);
    auto file = openForCheck(ctx, OpenMode::ReadOnly);
    const DictionaryCheckReport report = checkDictionary(*file);
    const QJsonObject out = checkObject(report);
    if (!report.ok)
        throw CommandError(Exit::kNotSuccess, checkMessage(ctx, report), out);
    ctx.out().print(out);
}

// Mends what the check finds that needs no guessing (moves cut short, a free list that leads
// into damage), after copying the file beside itself; anything else is reported and left.
void repairCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, {}, {});
    args.expectPositionals(0);
    const std::string path = ctx.dictionaryPath();
    auto file = openForCheck(ctx, OpenMode::ReadWrite);
    const DictionaryCheckReport before = checkDictionary(*file);
    std::string copy;
    DictionaryRepairReport repair;
    if (before.freeListBreak != 0 || !before.interruptedMoves.empty()) {
        SystemClock clock;
        int error = 0;
        copy = copyDamagedDictionary(path, clock.now(), &error);
        if (copy.empty())
            throw CommandError(Exit::kUnusable,
                path + strings::kCliRepairCopyFailed + oneLine(FileErrorMessage(error)),
                checkObject(before));
        repair = repairDictionary(*file, before);
        const bool synced = file->sync();
        const bool closed = file->close();
        // Finishing a move puts a word's record in another place.
        std::string listFailed;
        const bool listsMarked
            = !ctx.changesFolderDictionary() || invalidateAllWordFiles(ctx.folder(), &listFailed);
        if (repair.failed || !synced || !closed)
            throw CommandError(Exit::kUnusable, path + strings::kCliRepairFailed + copy,
                QJsonObject { { "mended", textArray(repair.mended) },
                    { "copy", QString::fromStdString(copy) } });
        if (!listsMarked)
            throw CommandError(Exit::kUnusable, path + strings::kCliButListsNotMarked + listFailed,
                QJsonObject { { "mended", textArray(repair.mended) },
                    { "copy", QString::fromStdString(copy) } });
        file = openForCheck(ctx, OpenMode::ReadOnly);
    }
    const DictionaryCheckReport after = before.ok ? before : checkDictionary(*file);
    QJsonObject out = checkObject(after);
    out.insert("mended", textArray(repair.mended));
    out.insert("copy", QString::fromStdString(copy));
    if (!after.ok)
        throw CommandError(Exit::kNotSuccess,
            path + strings::kCliRepairLeft
                + (after.problems.empty() ? std::string() : after.problems.front()),
            out);
    ctx.out().print(out);
}

} // namespace

std::vector<Command> dictCommands()
{
    return {
        { "dict", "create", "dict create FILE [--additional] [--force]", createCommand },
        { "dict", "find", "dict find WORD", findCommand },
        { "dict", "add", "dict add WORD [--category C] [--language L] [--media M] [--sound-flag S]",
            addCommand },
        { "dict", "amend",
            "dict amend WORD [--category C] [--language L] [--media M] [--sound-flag S] "
            "[--sound-index I]",
            amendCommand },
        { "dict", "remove", "dict remove WORD", removeCommand },
        { "dict", "status", "dict status WORD --user U --set S", statusCommand },
        { "dict", "walk",
            "dict walk [--start WORD] [--table main|category] [--category C] [--language L] "
            "[--min-text N] "
            "[--max-text N] [--filter-mode M] [--user U] [--no-skip]",
            walkCommand },
        { "dict", "import", "dict import FILE [--category C] [--language L]", importCommand },
        { "dict", "transfer",
            "dict transfer FILE [--moves] [--language L] [--lock-sounds] [--user U] "
            "[--category C] [--limit N]",
            transferCommand },
        { "dict", "import-additional",
            "dict import-additional FOLDER --from-category C --into-category D [--force]",
            importAdditionalCommand },
        { "dict", "name-additional", "dict name-additional FOLDER --category C --name NAME",
            nameAdditionalCommand },
        { "dict", "check", "dict check", checkCommand },
        { "dict", "repair", "dict repair", repairCommand },
    };
}

} // namespace quorvel::cli
