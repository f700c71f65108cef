#include "app/startup_sequence.h"

#include "app/session.h"
#include "config/settings_file.h"
#include "config/settings_groups.h"
#include "config/user_settings.h"
#include "history/history_file.h"
#include "platform/file_errors.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "strings/strings.h"

#include <QDir>

namespace quorvel {

namespace {

void warn(Prompter& prompter, const std::string& text)
{
    prompter.show(text, strings::kWarning, MessageIcon::Exclamation);
}

} // namespace

std::string folderRefusedText(const FolderLock& lock, FolderLockResult result)
{
    switch (result) {
    case FolderLockResult::Taken:
        break;
    case FolderLockResult::InUse: {
        std::string text = std::string(strings::kFolderInUse) + "\r\n" + lock.folder();
        if (lock.holder())
            text += "\r\n(" + describeHolder(*lock.holder()) + ")";
        return text + "\r\n" + strings::kFolderInUseAdvice;
    }
    case FolderLockResult::CannotCreate:
        return std::string(strings::kFolderNotWritable) + "\r\n" + lock.folder() + "\r\n"
            + FileErrorMessage(lock.fileError());
    }
    return {};
}

bool ReadStartupFiles(Session& session, SettingsFile& settings, Prompter& prompter,
    const std::optional<std::string>& currentFolder)
{
    session.startCompleted = false;
    if (!currentFolder || currentFolder->empty()) {
        warn(prompter, strings::kWrongCurrentDirectory);
        return false;
    }
    const std::string& folder = *currentFolder;

    session.firstRun = false;
    if (const FileTest record = StartupInfoExists(folder); !record.exists()) {
        // A record that is simply not there is made without a word; any other failure of the
        // test is shown first.
        if (!record.notFound())
            warn(prompter, FileErrorMessage(record.fileError));
        if (!CreateStartupInfo(session.info, folder)) {
            warn(prompter, strings::kUnableToWriteConfig);
            return false;
        }
        session.firstRun = true;
    }

    if (ReadStartupInfo(session.info, folder) != kStartupRead) {
        warn(prompter, strings::kErrorReadingStartup);
        return false;
    }

    const int user = session.info.startupUser();
    if (!session.setCurrentUser(user)) {
        warn(prompter, strings::kErrorReadingStartup);
        return false;
    }
    session.setCurrentCategory(session.info.workingCategory(user));

    if (const FolderTest dictionary = TestFolderHasDictionary(session.info, folder);
        dictionary.outcome != FolderTest::Outcome::HasDictionary) {
        warn(prompter, FileErrorMessage(dictionary.fileError()));
        return false;
    }
    // The record is this folder's own now (its data folder was just set to it), so the quit may
    // save it.
    session.startCompleted = true;

    if (!readFirstTimeStored(settings)) {
        session.info.setWaveformPath(
            paths::waveformFolder(session.programFolder.empty() ? folder : session.programFolder));
        session.saveStartupInfo(prompter);
    }
    writeFirstTimeDone(settings);
    session.fileTypeOrder = startFileExtension(settings);
    // Without stored print options the start values stay until the options dialog stores some.
    if (const std::optional<PrintSettings> print = loadPrintSettings(settings))
        session.printSettings = *print;
    session.systemPasswordOn = session.info.systemPasswordOn() != 0;
    return true;
}

void createStartFolders(const Session& session)
{
    const std::string base = session.info.dictionaryFolder();
    if (base.empty())
        return;
    QDir().mkpath(QString::fromStdString(paths::myDataFolder(base, "oldwave")));
    QDir().mkpath(QString::fromStdString(paths::myDataFolder(base, "newwave")));
    if (!session.programFolder.empty()
        && session.info.additionalDictPath() == paths::backupFolder(session.programFolder))
        QDir().mkpath(QString::fromStdString(session.info.additionalDictPath()));
}

MissingHistoryFiles createMissingHistoryFiles(const Session& session, Clock& clock, int records)
{
    MissingHistoryFiles result;
    const std::string folder = session.info.dataFolder();
    if (folder.empty())
        return result;
    for (int slot = 0; slot < kUserSlots; ++slot) {
        if (!testFileExists(paths::historyFile(folder, static_cast<char>('0' + slot))).notFound())
            continue; // there already, or not testable: never touched
        (GenerateHistoryFile(folder, records, slot, clock) ? result.created : result.failed)
            .push_back(slot);
    }
    return result;
}

void applyFirstRunChoice(Session& session, Prompter& prompter, bool usDialect, bool showFlag)
{
    for (int user = 0; user < kUserSlots; ++user) {
        ListOptions options = ListOptions::read(session.info, user);
        options.language = usDialect ? Language::US : Language::UK;
        options.showLanguageFlag = showFlag;
        options.write(session.info, user);
    }
    session.saveStartupInfo(prompter);
}

bool CanQuit(Session& session, SettingsFile& settings, Prompter& prompter, int filterPosition)
{
    if (prompter.show(strings::kQuitQuestion, strings::kProductName, MessageIcon::Question,
            MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return false;
    if (!session.startCompleted)
        return true;
    session.saveStartupInfo(prompter);
    quitFileExtension(settings, session.fileTypeOrder, filterPosition);
    return true;
}

} // namespace quorvel
