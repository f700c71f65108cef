#pragma once

// The two maintenance operations on the whole dictionary: the backup of the dictionary and the
// startup record to the backup path, and the reset of one user's word status. Both ask before
// they start and report what went wrong through the Prompter.

#include "platform/services.h"

#include <functional>
#include <optional>
#include <string>

namespace quorvel {

class StartupInfo;

// Told true before the long part of an operation and false after it (the wait cursor).
using BusyHook = std::function<void(bool)>;

// Turns the busy hook on for a scope; end() turns it off early, before a message is shown.
class BusyScope
{
public:
    explicit BusyScope(const BusyHook& hook)
        : m_hook(hook)
    {
        if (m_hook)
            m_hook(true);
    }
    ~BusyScope() { end(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    void end()
    {
        if (m_hook && m_on)
            m_hook(false);
        m_on = false;
    }

private:
    const BusyHook& m_hook;
    bool m_on = true;
};

// How a byte copy of one file ended.
enum class CopyResult
{
    Done,
    SourceUnopenable,
    DestinationUncreatable,
    ReadFailed,
    WriteFailed,
    OutOfMemory,
};

// Copies a file byte for byte. The bytes go to a temporary file beside the destination that
// replaces it only once every byte is on disk: the source is only ever read, and a failed copy
// leaves an earlier backup whole.
CopyResult copyFileBytes(const std::string& source, const std::string& destination);

// A message to show.
struct Notice
{
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Exclamation;
};

// Where the backup copies go: the backup path of the record with the file name after it.
std::string backupDestination(const StartupInfo& info, const char* fileName);

// Copies the dictionary to sondback.dis and then the startup record to infoback.cfg at the backup
// path. Stops at the first failure and returns its message; nothing when both copies were made.
std::optional<Notice> copyBackupFiles(const StartupInfo& info);

// The backup command: asks first, copies with the busy hook on, and shows the failure message
// if there is one. Returns true when both copies were made.
bool BackupDictionary(const StartupInfo& info, Prompter& prompter, const BusyHook& busy = {});

// The counts of a status reset; -1 where a table failed or was not reached.
struct StatusResetTotals
{
    long main = -1;
    long category = -1;
    bool openFailed = false; // the dictionary could not be opened at all
    bool ok() const { return main >= 0 && category >= 0; }
};

// Sets `user`'s status of every word of the main and then the category table to `status`.
// A failure on the main table leaves the category table alone. Records changed before a failure
// stay changed.
StatusResetTotals resetWordStatuses(StartupInfo& info, int user, int status);

// The message that ends a status reset: the two totals, or the advice to use the backup.
Notice statusResetNotice(const StatusResetTotals& totals);

// The reset of the system setup dialog: both questions, the reset with the busy hook on, and the
// closing message ("Unable to open Dictionary files!" before it when the file would not open).
// Returns true when both tables were reset.
bool ResetUserStatus(
    StartupInfo& info, int user, int status, Prompter& prompter, const BusyHook& busy = {});

} // namespace quorvel
