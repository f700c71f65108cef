#include "dictionary/dictionary_backup.h"

#include "config/startup_info.h"
#include "dictionary/dictionary_file.h"
#include "dictionary/dictionary_pass.h"
#include "platform/file.h"
#include "platform/paths.h"
#include "platform/replace_file.h"
#include "strings/settings_strings.h"
#include "strings/strings.h"

#include <cstdio>
#include <new>
#include <vector>

namespace quorvel {

namespace {

constexpr std::size_t kCopyChunk = 64 * 1024;

CopyResult copyInto(File& source, ReplaceSink& target)
{
    std::vector<std::uint8_t> buffer;
    try {
        buffer.resize(kCopyChunk);
    } catch (const std::bad_alloc&) {
        return CopyResult::OutOfMemory;
    }
    const std::uint64_t total = source.size();
    std::uint64_t copied = 0;
    if (!source.seek(0))
        return CopyResult::ReadFailed;
    while (copied < total) {
        const auto want
            = static_cast<std::size_t>(std::min<std::uint64_t>(kCopyChunk, total - copied));
        const std::size_t got = source.read(buffer.data(), want);
        if (got == 0)
            return CopyResult::ReadFailed;
        if (!target.write(buffer.data(), got))
            return CopyResult::WriteFailed;
        copied += got;
    }
    return CopyResult::Done;
}

// The message of a failed copy step; `createFailure` is the text for a destination that cannot
// be created.
Notice copyFailureNotice(CopyResult result, const char* createFailure)
{
    switch (result) {
    case CopyResult::DestinationUncreatable:
        return { createFailure, strings::kBackupFailed, MessageIcon::Exclamation };
    case CopyResult::OutOfMemory:
        return { strings::kOutOfMemory, strings::kWarning, MessageIcon::Exclamation };
    case CopyResult::WriteFailed:
        return { strings::kDiskSpaceProblem, strings::kWarning, MessageIcon::Exclamation };
    default:
        return { strings::kUnableToCreateDestination, strings::kWarning, MessageIcon::Exclamation };
    }
}

} // namespace

CopyResult copyFileBytes(const std::string& source, const std::string& destination)
{
    auto from = File::open(source, OpenMode::ReadOnly);
    if (!from)
        return CopyResult::SourceUnopenable;
    CopyResult copied = CopyResult::Done;
    const ReplaceResult saved = replaceFile(destination, [&](ReplaceSink& sink) {
        copied = copyInto(*from, sink);
        return copied == CopyResult::Done;
    });
    from->close();
    if (saved.ok())
        return CopyResult::Done;
    // The source's own failures first; then where the destination failed. A full disk is a
    // write failure at whatever step it showed.
    if (copied == CopyResult::ReadFailed || copied == CopyResult::OutOfMemory)
        return copied;
    if (saved.diskFull())
        return CopyResult::WriteFailed;
    switch (saved.failedStep) {
    case ReplaceStep::Write:
    case ReplaceStep::Sync:
    case ReplaceStep::SyncFolder:
        return CopyResult::WriteFailed;
    default:
        return CopyResult::DestinationUncreatable;
    }
}

std::string backupDestination(const StartupInfo& info, const char* fileName)
{
    // The backup path is normally stored with its separator; one typed without it still names
    // the folder, not the start of a file name beside it.
    const std::string folder = info.additionalDictPath();
    if (folder.empty())
        return fileName;
    return paths::join(folder, fileName);
}

std::optional<Notice> copyBackupFiles(const StartupInfo& info)
{
    const CopyResult dictionary = copyFileBytes(paths::dictionaryFile(info.dictionaryFolder()),
        backupDestination(info, paths::kDictionaryBackupName));
    if (dictionary == CopyResult::SourceUnopenable)
        return Notice { strings::kUnableToOpenDictionaryFiles, strings::kBackupFailed,
            MessageIcon::Exclamation };
    if (dictionary != CopyResult::Done)
        return copyFailureNotice(dictionary, strings::kUnableToCreateDestination);

    const CopyResult record = copyFileBytes(paths::startupRecordFile(info.dataFolder()),
        backupDestination(info, paths::kStartupBackupName));
    if (record == CopyResult::SourceUnopenable)
        return Notice { strings::kUnableToOpenConfig, strings::kBackupFailed,
            MessageIcon::Exclamation };
    if (record != CopyResult::Done)
        return copyFailureNotice(record, strings::kUnableToCreateStartupCopy);
    return std::nullopt;
}

bool BackupDictionary(const StartupInfo& info, Prompter& prompter, const BusyHook& busy)
{
    if (prompter.show(strings::kBackupQuestion, strings::kBackupCaption, MessageIcon::Question,
            MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return false;
    BusyScope scope(busy);
    const std::optional<Notice> failure = copyBackupFiles(info);
    scope.end();
    if (failure)
        prompter.show(failure->text, failure->caption, failure->icon);
    return !failure;
}

StatusResetTotals resetWordStatuses(StartupInfo& info, int user, int status)
{
    StatusResetTotals totals;
    DictionaryHandle file = OpenDictionary(info);
    if (!file) {
        totals.openFailed = true;
        return totals;
    }
    auto resetTable = [&](Table table) -> long {
        const std::uint32_t offset = ReadTableOffset(*file, table);
        return offset == dict::kNoOffset ? -1 : ResetStatus(*file, offset, status, user);
    };
    totals.main = resetTable(Table::Main);
    // After a failed pass the file may be in trouble: the category table is left as it is.
    if (totals.main >= 0)
        totals.category = resetTable(Table::Category);
    const bool synced = file->sync();
    if (!CloseDictionary(file) || !synced) {
        totals.main = -1;
        totals.category = -1;
    }
    return totals;
}

Notice statusResetNotice(const StatusResetTotals& totals)
{
    if (!totals.ok())
        return { strings::kResetError, strings::kInformation, MessageIcon::Information };
    char text[160];
    std::snprintf(text, sizeof text, strings::kResetTotals, totals.main, totals.category);
    return { text, strings::kDictionaryCount, MessageIcon::Information };
}

bool ResetUserStatus(
    StartupInfo& info, int user, int status, Prompter& prompter, const BusyHook& busy)
{
    if (prompter.show(strings::kResetQuestion, strings::kResetCaption, MessageIcon::Question,
            MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return false;
    if (prompter.show(strings::kResetSecondChance, strings::kResetCaption, MessageIcon::Question,
            MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return false;
    BusyScope scope(busy);
    const StatusResetTotals totals = resetWordStatuses(info, user, status);
    scope.end();
    if (totals.openFailed)
        prompter.show(
            strings::kUnableToOpenDictionaryFiles, strings::kInformation, MessageIcon::Information);
    const Notice notice = statusResetNotice(totals);
    prompter.show(notice.text, notice.caption, notice.icon);
    return totals.ok();
}

} // namespace quorvel
