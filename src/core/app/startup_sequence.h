#pragma once

// The order in which the program comes up and goes down, apart from the windows themselves: the
// reading of the start-up files with every message that stops a start, the folders made at
// start, the first-run choice and what is saved at quit.

#include "platform/folder_lock.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

class Clock;
class Prompter;
class Session;
class SettingsFile;

// The program takes its installation folder for the run before anything of it is read; a start
// that finds it held by another program, or cannot write in it, stops having written nothing.
// This is the text shown under "Warning!" for such a start (`result` is what taking the folder
// with `lock` gave; empty when it was taken).
std::string folderRefusedText(const FolderLock& lock, FolderLockResult result);

// Reads the startup record from `currentFolder` (nothing when the current folder could not be
// read), creating it on a first start, and sets up the session: current user and category,
// "First time", "File extension" and the client's copy of the system password switch. Returns
// false when the start must stop; the stopping message has been shown under "Warning!".
bool ReadStartupFiles(Session& session, SettingsFile& settings, Prompter& prompter,
    const std::optional<std::string>& currentFolder);

// Creates mydata/oldwave and mydata/newwave of the dictionary folder, and the backup folder the
// record points at when it is the installation's own, when they are missing.
void createStartFolders(const Session& session);

// A new installation gives every user a history file (of `records` records) where none exists,
// so that drills are recorded from the first one on; files already there are left alone. Tells
// which slots got one and which could not.
inline constexpr int kFirstRunHistoryRecords = 20;
struct MissingHistoryFiles
{
    std::vector<int> created;
    std::vector<int> failed;
};
MissingHistoryFiles createMissingHistoryFiles(
    const Session& session, Clock& clock, int records = kFirstRunHistoryRecords);

// The first-run dialog's choice for all ten users, then saved ("Error in writing user
// Information." on failure).
void applyFirstRunChoice(Session& session, Prompter& prompter, bool usDialect, bool showFlag);

// Quit, after every child window agreed to close: asks "Do you wish to Quit?"; on Yes saves the
// record and the preferred file type, but only after a start that completed (see
// Session::startCompleted). Returns whether the program may end. `filterPosition` is the filter
// last chosen in the open dialog (1-based, 0 when it was never used).
bool CanQuit(Session& session, SettingsFile& settings, Prompter& prompter, int filterPosition);

} // namespace quorvel
