#include "dictionary/additional_import.h"

#include "app/session.h"
#include "dictionary/dictionary_check.h"
#include "dictionary/dictionary_ops.h"
#include "dictionary/dictionary_pass.h"
#include "dictionary/word_sounds.h"
#include "drill/word_file.h"
#include "platform/file_errors.h"
#include "platform/paths.h"
#include "strings/app_strings.h"
#include "strings/category_strings.h"
#include "strings/import_strings.h"
#include "strings/settings_strings.h"
#include "strings/strings.h"
#include "strings/transfer_strings.h"

#include <algorithm>
#include <cstdio>

namespace quorvel {
namespace {

using namespace dict;

bool isFree(const std::string& name)
{
    return name == strings::kFreeCategory; // case matters, as in the category setup
}

// A name is text up to its NUL: no control characters. Bytes above 127 are the letters of the
// 8-bit names the record keeps.
bool isNameText(const std::uint8_t* p, std::size_t width, std::string& name)
{
    for (std::size_t i = 0; i < width; ++i) {
        const std::uint8_t c = p[i];
        if (c == 0) {
            name.assign(reinterpret_cast<const char*>(p), i);
            return true;
        }
        if (c < 0x20 || c == 0x7F)
            return false;
    }
    return false; // no terminator inside the field
}

struct ImportedWord
{
    std::string word;
    WordRecordHeader header;
};

enum class Step
{
    GoOn,
    Stop, // the working dictionary failed
};

Step importWord(File& working, const ImportedWord& source, const AdditionalImportRequest& request,
    AdditionalImportCounts& out)
{
    CurrentWordInfo info;
    info.loadFrom(source.header);
    info.setCategory(static_cast<std::uint16_t>(request.to));
    // Only the two media the program knows: anything else is a medium that can be written.
    if (info.mediaFlag() > 1)
        info.setMediaFlag(1);
    // An index outside 1..9999 names no recording.
    const int index = source.header.soundIndex;
    const bool hasSound = index >= 1 && index <= 9999;
    // The word is not there yet (else it is not added), so whether its index is free can be
    // asked before it goes in; a sound that is not linked leaves no sound flag behind.
    const bool linkSound = hasSound && request.soundIndexFree
        && request.soundIndexFree(working, request.to, source.word, index);
    if (!linkSound)
        info.setSoundFlag(0);
    info.setSoundIndex(0);

    switch (AddWord(working, source.word, info)) {
    case AddResult::Added:
        ++out.successful;
        if (linkSound) {
            info.setSoundIndex(static_cast<std::uint16_t>(index));
            if (AmendWord(working, source.word, true, info) == AmendResult::FileError) {
                out.fileError = true;
                return Step::Stop;
            }
        }
        return Step::GoOn;
    case AddResult::AlreadyThere:
        break;
    case AddResult::NotSuitable:
        ++out.unable;
        return Step::GoOn;
    case AddResult::FileError:
        ++out.unable;
        out.fileError = true;
        return Step::Stop;
    }

    if (!request.force) {
        ++out.already;
        return Step::GoOn;
    }
    // The word moves to the target category and keeps its statuses and its own sound.
    CurrentWordInfo existing;
    const FindResult found = FindWord(working, source.word, existing);
    if (found == FindResult::FileError) {
        ++out.unable;
        out.fileError = true;
        return Step::Stop;
    }
    if (!isFound(found)) {
        ++out.unable;
        return Step::GoOn;
    }
    const int before = existing.category();
    info.setSoundFlag(existing.soundFlag());
    switch (AmendWord(working, source.word, false, info)) {
    case AmendResult::Amended:
        ++out.already;
        if (before != request.to)
            ++out.moved;
        return Step::GoOn;
    case AmendResult::NotFound:
        ++out.unable;
        return Step::GoOn;
    case AmendResult::FileError:
        ++out.unable;
        out.fileError = true;
        return Step::Stop;
    }
    return Step::GoOn;
}

bool validSlot(int slot)
{
    return slot >= 0 && slot < kCategorySlots;
}

} // namespace

std::string additionalImportFolder(const StartupInfo& info, const std::string& programFolder)
{
    const std::string stored = info.additionalDictPath();
    return stored.empty() ? paths::backupFolder(programFolder) : stored;
}

std::string additionalFilePath(const std::string& folder, const char* name)
{
    // The path is normally stored with its separator; one without still names the folder.
    return folder.empty() ? std::string(name) : paths::join(folder, name);
}

AdditionalConfigRead decodeAdditionalConfig(
    const std::vector<std::uint8_t>& bytes, const std::string& file)
{
    AdditionalConfigRead out;
    if (bytes.size() != kAdditionalConfigSize) {
        out.reason
            = strings::fillIn(strings::kImportFileSize, { file, std::to_string(bytes.size()) });
        return out;
    }
    const unsigned mark = bytes[kAdditionalMarkOffset] | (bytes[kAdditionalMarkOffset + 1] << 8);
    if (mark != 1) {
        out.reason = strings::fillIn(strings::kImportFileMarker, { file });
        return out;
    }
    AdditionalCategoryNames names;
    for (int slot = 0; slot < kCategorySlots; ++slot) {
        const std::size_t at = static_cast<std::size_t>(slot) * kAdditionalNameWidth;
        if (!isNameText(
                bytes.data() + at, kAdditionalNameWidth, names[static_cast<std::size_t>(slot)])) {
            out.reason
                = strings::fillIn(strings::kImportFileNotText, { file, std::to_string(slot) });
            return out;
        }
    }
    out.names = std::move(names);
    return out;
}

std::vector<std::uint8_t> encodeAdditionalConfig(const AdditionalCategoryNames& names)
{
    std::vector<std::uint8_t> bytes(kAdditionalConfigSize, 0);
    for (int slot = 0; slot < kCategorySlots; ++slot) {
        const std::string& name = names[static_cast<std::size_t>(slot)];
        const std::size_t length = std::min(name.size(), kAdditionalNameWidth - 1);
        std::copy_n(name.begin(), length,
            bytes.begin() + static_cast<std::ptrdiff_t>(slot) * kAdditionalNameWidth);
    }
    bytes[kAdditionalMarkOffset] = 1;
    return bytes;
}

AdditionalCategoryNames defaultAdditionalNames()
{
    AdditionalCategoryNames names;
    names.fill(strings::kFreeCategory);
    names[0] = strings::defaultCategoryName(0);
    return names;
}

bool isAdditionalCategoryName(const std::string& name)
{
    std::string taken;
    std::vector<std::uint8_t> field(kAdditionalNameWidth, 0);
    if (name.empty() || name.size() >= kAdditionalNameWidth)
        return false;
    std::copy(name.begin(), name.end(), field.begin());
    return isNameText(field.data(), field.size(), taken) && taken == name;
}

AdditionalConfigRead readAdditionalConfig(const std::string& folder)
{
    const std::string path = additionalFilePath(folder, kAdditionalConfigName);
    AdditionalConfigRead out;
    int error = 0;
    auto file = File::open(path, OpenMode::ReadOnly, &error);
    if (!file) {
        out.reason = path + "\r\n" + FileErrorMessage(error);
        return out;
    }
    // A file of another size is refused on its size alone: nothing of it is read.
    const std::uint64_t size = file->size();
    std::vector<std::uint8_t> bytes(
        static_cast<std::size_t>(std::min<std::uint64_t>(size, kAdditionalConfigSize + 1)));
    if (size == kAdditionalConfigSize && !file->readAt(0, bytes.data(), bytes.size())) {
        file->close();
        out.reason = strings::fillIn(strings::kImportFileUnreadable, { path });
        return out;
    }
    file->close();
    if (size != kAdditionalConfigSize) {
        out.reason = strings::fillIn(strings::kImportFileSize, { path, std::to_string(size) });
        return out;
    }
    return decodeAdditionalConfig(bytes, path);
}

DictionaryHandle openAdditionalDictionary(const std::string& folder, std::string* reason)
{
    const std::string path = additionalFilePath(folder, kAdditionalDictionaryName);
    const auto refuse = [&](std::string why) -> DictionaryHandle {
        if (reason)
            *reason = std::move(why);
        return nullptr;
    };
    int error = 0;
    // Read only: the import never writes to the file, which may lie on a stick that is locked.
    auto file = File::open(path, OpenMode::ReadOnly, &error);
    if (!file)
        return refuse(path + "\r\n" + FileErrorMessage(error));
    DictionaryHeader header;
    if (file->size() > kMaxFileSize || !readDictionaryHeader(*file, header)
        || header.fileKind != kAdditionalKind) {
        file->close();
        return refuse(strings::fillIn(strings::kImportNotAdditional, { path }));
    }
    const DictionaryCheckReport check = checkDictionary(*file);
    if (!check.ok) {
        file->close();
        return refuse(strings::fillIn(strings::kImportDamaged,
            { path, check.problems.empty() ? std::string() : check.problems.front() }));
    }
    if (reason)
        reason->clear();
    return file;
}

bool soundIndexFreeForPrefix(File& working, int category, std::string_view word, int index)
{
    return checkSoundIndex(working, category, word, index) == SoundIndexCheck::Free;
}

AdditionalImportCounts importAdditionalCategory(
    File& additional, File& working, const AdditionalImportRequest& request)
{
    AdditionalImportCounts out;
    if (!validSlot(request.from) || !validSlot(request.to)) {
        out.readError = true; // no such category: nothing was read
        return out;
    }
    // The words are read first: a read error ends the list there, and the words before it are
    // imported.
    std::vector<ImportedWord> words;
    const std::uint32_t table
        = ReadTableOffset(additional, request.from != 0 ? Table::Category : Table::Main);
    bool read = table != kNoOffset;
    if (read) {
        read = forEachRecord(additional, table, true,
            [&](std::uint32_t slot, std::uint32_t, const WordRecordHeader& header,
                std::string_view text) {
                if (header.category() != request.from)
                    return true;
                char letters[2];
                if (!BucketLetters(slot, letters))
                    return false;
                words.push_back({ std::string(letters, 2) + std::string(text), header });
                return true;
            });
    }
    out.readError = !read;
    for (const ImportedWord& word : words) {
        if (importWord(working, word, request, out) == Step::Stop)
            break;
    }
    return out;
}

Notice additionalImportNotice(const AdditionalImportCounts& counts)
{
    char text[300];
    std::snprintf(text, sizeof text, strings::kImportCountFormat, strings::kTransferSuccessful,
        counts.successful, strings::kImportAlreadyExists, counts.already,
        strings::kTransferUnsuccessful, counts.unable);
    return { text, strings::kDictionaryCount, MessageIcon::Information };
}

AdditionalImportOutcome applyAdditionalImport(Session& session, AdditionalImportAction action,
    const AdditionalImportValues& values, Prompter& prompter, const SoundIndexFree& check,
    const BusyHook& busy)
{
    AdditionalImportOutcome outcome;
    const auto refuse = [&](const std::string& text) {
        prompter.show(text, strings::kInformation, MessageIcon::Information);
        return outcome;
    };
    if (!validSlot(values.from) || !validSlot(values.to))
        return refuse(strings::kImportImportant);
    const bool add = action == AdditionalImportAction::Add;
    const std::string target = session.info.categoryName(values.to);
    const std::string sourceName = values.sourceNames[static_cast<std::size_t>(values.from)];
    // The choices are checked before the question: a person is not asked to confirm an import
    // that cannot run.
    if (add && !isFree(target))
        return refuse(strings::kImportAddNeedsFree);
    if (add
        && (sourceName.empty() || isFree(sourceName)
            || sourceName == strings::defaultCategoryName(0)))
        return refuse(strings::kImportSourceUnnamed);
    if (!add && isFree(target))
        return refuse(strings::kImportCombineNeedsNamed);
    if (prompter.show(strings::fillIn(strings::kImportPutFilesQuestion, { values.folder }),
            add ? strings::kImportAddCaption : strings::kCombineCategoriesCaption,
            MessageIcon::Question, MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return outcome;

    BusyScope scope(busy);
    std::string reason;
    DictionaryHandle additional = openAdditionalDictionary(values.folder, &reason);
    if (!additional) {
        scope.end();
        prompter.show(std::string(strings::kTransferOpenFailed) + "\r\n" + reason,
            strings::kWarning, MessageIcon::Exclamation);
        return outcome;
    }
    DictionaryHandle working = OpenDictionary(session.info);
    if (!working) {
        CloseDictionary(additional);
        scope.end();
        prompter.show(strings::kTransferOpenFailed, strings::kWarning, MessageIcon::Exclamation);
        return outcome;
    }
    outcome.ran = true;
    AdditionalImportRequest request;
    request.from = values.from;
    request.to = values.to;
    request.force = values.force;
    request.soundIndexFree = check;
    outcome.counts = importAdditionalCategory(*additional, *working, request);
    const bool synced = working->sync();
    const bool workingClosed = CloseDictionary(working);
    const bool additionalClosed = CloseDictionary(additional);
    const bool closed = synced && workingClosed && additionalClosed;
    std::string listFailed;
    const bool listsMarked = !outcome.counts.changedWords()
        || invalidateAllWordFiles(session.info.dataFolder(), &listFailed);
    scope.end();

    if (!closed)
        prompter.show(strings::kTransferCloseFailed, strings::kWarning, MessageIcon::Exclamation);
    if (outcome.counts.readError || outcome.counts.fileError)
        prompter.show(strings::kImportStoppedOnError, strings::kWarning, MessageIcon::Exclamation);
    if (!listsMarked)
        prompter.show(strings::fillIn(strings::kImportListsNotMarked, { listFailed }),
            strings::kWarning, MessageIcon::Exclamation);
    const Notice notice = additionalImportNotice(outcome.counts);
    prompter.show(notice.text, notice.caption, notice.icon);

    if (add && outcome.counts.successful > 0) {
        session.info.setCategoryName(values.to, sourceName);
        session.saveStartupInfo(prompter, strings::kErrorWritingUserInfo);
        outcome.named = true;
    }
    if (outcome.counts.changedWords())
        session.noteDictionaryChanged();
    if (outcome.named || outcome.counts.changedWords())
        session.publishChanges();
    return outcome;
}

} // namespace quorvel
