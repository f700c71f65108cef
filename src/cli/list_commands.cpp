// list generate/show/mark/apply: a user's word file.

#include "cli.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "documents/make_list.h"
#include "documents/text_document.h"
#include "drill/drill_settings.h"
#include "drill/list_generation.h"
#include "drill/word_file.h"
#include "platform/file_errors.h"
#include "platform/paths.h"
#include "platform/replace_file.h"
#include "strings/cli_strings.h"
#include "strings/document_strings.h"
#include "strings/settings_strings.h"
#include "strings/strings.h"

#include <QJsonArray>
#include <algorithm>
#include <filesystem>

namespace quorvel::cli {

namespace {

// The system clock, or a fixed moment when a seed is given: list generation seeds its random
// numbers from the time, so a fixed moment makes the same list twice.
class SeedClock final : public Clock
{
public:
    explicit SeedClock(std::optional<long> seed)
        : m_seed(seed)
    { }
    std::uint32_t ticks() override { return m_system.ticks(); }
    std::time_t now() override
    {
        return m_seed ? static_cast<std::time_t>(*m_seed) : m_system.now();
    }

private:
    std::optional<long> m_seed;
    SystemClock m_system;
};

std::string wordFilePath(const Context& ctx, int user)
{
    return paths::wordFile(ctx.folder(), static_cast<char>('0' + user));
}

std::unique_ptr<WordFile> openWordFile(const Context& ctx, int user, OpenMode mode)
{
    auto file = WordFile::open(ctx.folder(), user, mode);
    if (!file) {
        const FileTest test = testFileExists(wordFilePath(ctx, user));
        throw CommandError(Exit::kUnusable,
            strings::kCliCannotOpen + wordFilePath(ctx, user)
                + (test.exists() ? std::string() : ": " + FileErrorMessage(test.fileError)));
    }
    return file;
}

QJsonObject recordObject(const WordFileEntry& e)
{
    const WordFileRecord& r = e.record;
    return QJsonObject {
        { "offset", static_cast<qint64>(e.offset) },
        { "word", QString::fromLatin1(r.word.c_str()) },
        { "answer", QString::fromLatin1(r.answer.c_str()) },
        { "result", r.result },
        { "attempts", r.attempts },
        { "bucketOffset", static_cast<qint64>(r.bucketOffset) },
        { "dictionaryOffset", static_cast<qint64>(r.dictionaryOffset) },
        { "index", r.index },
        { "askedSize", r.askedSize },
        { "soundIndex", r.soundIndex },
        { "media", r.media },
        { "soundFlag", r.soundFlag },
        { "next", static_cast<qint64>(r.next) },
    };
}

// The whole list of a word file, or what is wrong with it: a short header, a state that is none
// of 0, 1, 2, 4, 8, a chain that breaks or holds another number of records than the header
// counts, a record that does not carry its place in the list. A list that is used up (0) or
// spelt (2) is only read as far as its header: it is refused for that before its records matter.
// Reads only.
struct WholeList
{
    WordFileHeader header;
    std::vector<WordFileEntry> entries;
    std::string problem; // empty when the list is whole
};

WholeList readWholeList(WordFile& file)
{
    WholeList list;
    if (!file.readHeader(list.header)) {
        list.problem = strings::kCliWordFileTooShort;
        return list;
    }
    const int state = list.header.state;
    if (state != ListState::kNone && !ListState::valid(state)) {
        list.problem = strings::kCliListUnknownState + std::to_string(state);
        return list;
    }
    if (state == ListState::kNone || state == ListState::kSpeltOnce)
        return list;
    if (!file.readList(list.entries, list.header.count)) {
        list.problem = strings::kCliListChainBroken;
        return list;
    }
    if (list.entries.size() != list.header.count || list.entries.empty()) {
        list.problem = strings::kCliListCountWrong + std::to_string(list.header.count)
            + strings::kCliListCountFound + std::to_string(list.entries.size());
        return list;
    }
    for (std::size_t k = 0; k < list.entries.size(); ++k) {
        if (list.entries[k].record.index != k) {
            list.problem = strings::kCliListRecordIndex + std::to_string(k)
                + strings::kCliListCarriesIndex + std::to_string(list.entries[k].record.index);
            return list;
        }
    }
    return list;
}

// The list of a command that changes it: whole, or the command fails before anything is written.
WholeList requireWholeList(const Context& ctx, WordFile& file, int user)
{
    WholeList list = readWholeList(file);
    if (!list.problem.empty())
        throw CommandError(
            Exit::kUnusable, wordFilePath(ctx, user) + strings::kCliListDamaged + list.problem);
    return list;
}

// What `list mark` writes as the answer of a word marked wrong: the answer itself is not known,
// and the field must not stay empty (an empty answer is a word not yet spelt).
constexpr const char* kUnknownWrongAnswer = "?";

// A word has its first-pass result once an answer is recorded: the drill writes the typed answer
// (capitals) and `list mark` the word itself or "?". A fresh list's records have no answer.
bool hasResult(const WordFileRecord& record)
{
    return !record.answer.empty();
}

void generateCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user", "seed" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    const std::optional<long> seed = args.integer("seed", 0, 0x7FFFFFFFL);
    StartupInfo info = ctx.startup(false);
    const std::string dictionaryPath = paths::dictionaryFile(info.dictionaryFolder());
    const std::string listPath = wordFilePath(ctx, user);

    // A failed generation leaves the word file unusable; the command promises to change nothing,
    // so the old list is put back.
    std::string previous;
    const bool hadList = testFileExists(listPath).exists() && readWholeFile(listPath, previous);

    resetStrayWorkingCategory(info, user);
    const DrillSettings settings = readDrillSettings(info, user);
    ListCriteria criteria = drillListCriteria(settings, user);
    DefaultRandomSource random;
    SeedClock clock(seed);
    ListGenerationServices services { random, clock, nullptr };
    const int count = GenerateDrillList(info, criteria, services, false);

    if (count == 0) {
        // Whether the word file could be written at all, before it is put back as it was.
        const bool listWritable = hadList ? File::open(listPath, OpenMode::ReadWrite) != nullptr
                                          : testFileExists(listPath).exists();
        std::string now;
        std::error_code ec;
        const QJsonObject out { { "count", 0 }, { "words", QJsonArray() } };
        if (!hadList) {
            std::filesystem::remove(listPath, ec);
        } else if (!readWholeFile(listPath, now) || now != previous) {
            if (const ReplaceResult restored
                = replaceFile(listPath, previous.data(), previous.size());
                !restored)
                throw CommandError(Exit::kUnusable,
                    strings::kCliListNotRestored + listPath + ": "
                        + (restored.diskFull() ? std::string(strings::kDiskSpaceProblem)
                                               : FileErrorMessage(restored.fileError)),
                    out);
        }

        // Why: the dictionary cannot be opened or is damaged, the word file cannot be written,
        // or no word fits the user's list setup.
        int error = 0;
        auto dictionary = openDictionaryFile(dictionaryPath, false, &error);
        if (!dictionary)
            throw CommandError(Exit::kUnusable,
                std::string(strings::kUnableToOpenDictionary) + " " + dictionaryPath + ": "
                    + (error == FileError::kBadFormat ? strings::kCliNotWorkingDictionary
                                                      : FileErrorMessage(error)),
                out);
        const DictionaryCheckReport report = checkDictionary(*dictionary);
        CloseDictionary(dictionary);
        if (!report.ok)
            throw CommandError(Exit::kUnusable,
                dictionaryPath + strings::kCliDictionaryDamaged
                    + (report.problems.empty() ? std::string() : report.problems.front()),
                out);
        if (!listWritable)
            throw CommandError(Exit::kUnusable, strings::kCliWordFileNotMade + listPath, out);
        throw CommandError(Exit::kNotSuccess,
            std::string(strings::kUnableToGenerateList) + strings::kCliNoWordsGenerated, out);
    }

    // The new list goes to the disk before the command reports it.
    auto file = openWordFile(ctx, user, OpenMode::ReadOnly);
    if (!file->file().sync())
        throw CommandError(Exit::kUnusable, strings::kCliCannotSync + listPath);
    std::vector<WordFileEntry> entries;
    file->readList(entries);
    QJsonArray list;
    for (const WordFileEntry& e : entries)
        list.append(QString::fromLatin1(e.record.word.c_str()));
    ctx.out().print(QJsonObject { { "count", count }, { "words", list } });
}

void showCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    auto file = openWordFile(ctx, user, OpenMode::ReadOnly);
    WordFileHeader header;
    if (!file->readHeader(header))
        throw CommandError(
            Exit::kUnusable, wordFilePath(ctx, user) + ": " + strings::kCliWordFileTooShort);
    std::vector<WordFileEntry> entries;
    const bool chainOk = file->readList(entries, header.count);
    QJsonArray records;
    for (const WordFileEntry& e : entries)
        records.append(recordObject(e));
    const bool valid = ListState::valid(header.state) && chainOk;
    const QJsonObject out {
        { "header",
            QJsonObject { { "firstOffset", static_cast<qint64>(header.firstOffset) },
                { "state", header.state },
                { "tableOffset", static_cast<qint64>(header.tableOffset) },
                { "count", header.count }, { "listType", header.listType } } },
        { "valid", valid },
        { "records", records },
    };
    if (!chainOk)
        throw CommandError(Exit::kUnusable,
            wordFilePath(ctx, user) + strings::kCliListDamaged + strings::kCliListChainBroken, out);
    if (!valid)
        throw CommandError(Exit::kNotSuccess,
            strings::kCliShowInvalid
                + (header.state == ListState::kNone
                        ? std::string(strings::kCliListUsedUp)
                        : strings::kCliListUnknownState + std::to_string(header.state)),
            out);
    ctx.out().print(out);
}

// Records the results of a list's first pass, as the drill's answers would: a right word gets
// itself as its answer and result 1, a wrong one "?" and result 0. A dictionary list stays fresh
// (state 1) until `list apply` moves its words' statuses; a scrap pad or bee window list has no
// statuses to move, so marking ends its first pass (state 2) as the drill does. Everything is
// checked before the first byte is written.
void markCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user", "results" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    const std::string results = args.required("results");
    if (results.empty() || results.find_first_not_of("01") != std::string::npos)
        throw UsageError("--results is a row of 1 (right) and 0 (wrong)");
    auto file = openWordFile(ctx, user, OpenMode::ReadWrite);
    WholeList list = requireWholeList(ctx, *file, user);
    const int state = list.header.state;
    if (state == ListState::kNone)
        throw CommandError(Exit::kNotSuccess, strings::kCliListUsedUp);
    if (state == ListState::kSpeltOnce)
        throw CommandError(Exit::kNotSuccess, strings::kCliListSpeltOnce);
    if (results.size() != list.entries.size())
        throw UsageError("the list has " + std::to_string(list.entries.size())
            + " words; --results gives " + std::to_string(results.size()));

    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        WordFileRecord& r = list.entries[i].record;
        const bool right = results[i] == '1';
        r.result = right ? 1 : 0;
        r.answer = right ? r.word : kUnknownWrongAnswer;
        r.attempts = 0;
        if (file->writeRecord(list.entries[i].offset, r) == 0)
            throw CommandError(Exit::kUnusable, strings::kCliCannotWrite + wordFilePath(ctx, user));
    }
    const bool windowList = state != ListState::kFreshDictionary;
    if (windowList
        && !file->finishList(static_cast<int>(list.entries.size()),
            listTypeFromNumber(list.header.listType), ListState::kSpeltOnce))
        throw CommandError(Exit::kUnusable, strings::kCliCannotWrite + wordFilePath(ctx, user));
    if (!file->file().sync())
        throw CommandError(Exit::kUnusable, strings::kCliCannotSync + wordFilePath(ctx, user));
    if (!file->close())
        throw CommandError(Exit::kUnusable, strings::kCliCannotWrite + wordFilePath(ctx, user));
    ctx.out().print(QJsonObject { { "marked", static_cast<int>(list.entries.size()) },
        { "state", windowList ? ListState::kSpeltOnce : state } });
}

// The end of a dictionary list's first pass: moves each word's status for the user one rung up
// or down by its result, then marks the list as spelt once (state 2), as the drill does. Only a
// fresh dictionary list (state 1) whose every word has its result is applied; a list a
// dictionary change used up (state 0), one already applied or spelt in the drill (state 2), a
// scrap pad or bee window list, one not yet marked and one whose words are no longer where the
// list found them (out of date) are refused, and nothing is written.
void applyCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user" }, {});
    args.expectPositionals(0);
    const int user = userOption(args);
    StartupInfo info = ctx.startup(false);
    auto file = openWordFile(ctx, user, OpenMode::ReadWrite);
    const WholeList list = requireWholeList(ctx, *file, user);
    switch (list.header.state) {
    case ListState::kNone:
        throw CommandError(Exit::kNotSuccess, strings::kCliListUsedUp);
    case ListState::kSpeltOnce:
        throw CommandError(Exit::kNotSuccess, strings::kCliListSpeltOnce);
    case ListState::kFreshScrapPad:
    case ListState::kFreshWindow:
        throw CommandError(Exit::kNotSuccess, strings::kCliListNotFromDictionary);
    default:
        break;
    }
    if (!std::all_of(list.entries.begin(), list.entries.end(),
            [](const WordFileEntry& e) { return hasResult(e.record); }))
        throw CommandError(Exit::kNotSuccess, strings::kCliListNotMarked);

    // Each word must still be the record the list points at (a record freed by a removal may
    // since hold another word): the core checks that before it writes anything.
    const ListApplyResult applied = ApplyListResults(*file, info, user);
    if (applied.outcome == ListApplyResult::Outcome::OutOfDate)
        throw CommandError(Exit::kNotSuccess,
            strings::kCliListOutOfDate
                + (applied.word.empty() ? std::string(strings::kCliListOutOfDateUsedUp)
                                        : applied.word + strings::kCliListMovedEnd));
    if (!applied)
        throw CommandError(Exit::kUnusable,
            std::string(strings::kFailedToUpdateDictionary) + " "
                + paths::dictionaryFile(info.dictionaryFolder()));
    if (!file->finishList(static_cast<int>(list.entries.size()),
            listTypeFromNumber(list.header.listType), ListState::kSpeltOnce)
        || !file->file().sync()) {
        file->invalidate();
        file->close();
        throw CommandError(
            Exit::kUnusable, wordFilePath(ctx, user) + strings::kCliListFinishFailed);
    }
    if (!file->close())
        throw CommandError(
            Exit::kUnusable, wordFilePath(ctx, user) + strings::kCliListFinishFailed);
    ctx.out().print(
        QJsonObject { { "applied", true }, { "words", static_cast<int>(list.entries.size()) } });
}

// One line of a message that a window shows on several: each line break, with the blanks around
// it, becomes one blank.
std::string oneLine(const std::string& text)
{
    std::string line;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '\r' && text[i] != '\n') {
            line += text[i++];
            continue;
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        while (i < text.size() && (text[i] == '\r' || text[i] == '\n' || text[i] == ' '))
            ++i;
        line += ' ';
    }
    return line;
}

// Makes the user's next list from a text file's words, as "Make list from active window" does:
// --from alone is the caret, --from and --to a selection (positions in characters, from 0);
// without them the caret stands at the start, so the whole text is read. A file that cannot be
// read as text fails before anything is written; no list leaves the user's last list as it was.
void makeCommand(Context& ctx, const std::vector<std::string>& words)
{
    Args args(words, { "user", "list-type", "from", "to" }, {});
    args.expectPositionals(1);
    const std::string path = args.positional(0, "FILE");
    const int user = userOption(args);
    const long type = args.integer("list-type", 5, 6).value_or(6);
    if (args.has("to") && !args.has("from"))
        throw UsageError("--to needs --from (the selection's start)");
    const ListType source = type == 5 ? ListType::ScrapPad : ListType::Window;

    const TextReadResult read = readTextFile(path);
    if (!read)
        throw CommandError(Exit::kUnusable, oneLine(textReadMessage(path, read)));
    const QString& text = read.document.text;
    const long length = static_cast<long>(text.size());
    TextSelection where;
    if (const auto from = args.integer("from", 0, length)) {
        where = TextSelection::caret(*from);
        if (const auto to = args.integer("to", 0, length))
            where.end = *to;
    }

    StartupInfo info = ctx.startup(false);
    DocumentState documents;
    const MakeListOutcome made = MakeListFromText(text, where, source, info, user, documents);
    const std::string listPath = wordFilePath(ctx, user);
    QJsonArray list;
    for (const std::string& w : made.words)
        list.append(QString::fromLatin1(w.c_str()));
    const QJsonObject out { { "result", made.result },
        { "count", static_cast<int>(made.words.size()) }, { "words", list } };
    switch (made.result) {
    case MakeListResult::kMade:
        break;
    case MakeListResult::kWordFileNotWritten:
        throw CommandError(
            Exit::kUnusable, std::string(strings::kUnableToWriteWordFile) + ": " + listPath, out);
    case MakeListResult::kOutOfMemory:
        throw CommandError(Exit::kUnusable, strings::kOutOfMemory, out);
    default:
        throw CommandError(Exit::kNotSuccess, oneLine(strings::kUnableToProduceList), out);
    }
    // The new list goes to the disk before the command reports it.
    auto file = openWordFile(ctx, user, OpenMode::ReadOnly);
    if (!file->file().sync())
        throw CommandError(Exit::kUnusable, strings::kCliCannotSync + listPath, out);
    if (read.document.cutAtZero)
        Output::note(oneLine(strings::kTextFileCutAtZero));
    ctx.out().print(out);
}

} // namespace

std::vector<Command> listCommands()
{
    return {
        { "list", "generate", "list generate --user U [--seed N]", generateCommand },
        { "list", "show", "list show --user U", showCommand },
        { "list", "mark", "list mark --user U --results 1011...", markCommand },
        { "list", "apply", "list apply --user U", applyCommand },
        { "list", "make", "list make --user U FILE [--list-type 5|6] [--from N] [--to M]",
            makeCommand },
    };
}

} // namespace quorvel::cli
