#pragma once

// One program writes an installation folder at a time. The folder's lock is the file
// "quorvel.lock" at its top (beside Fenwa.ini and progdata/), whatever dictionary a command works
// on: the window holds it for its whole run, each writing quorvel-cli command for its duration,
// and reading commands never take it.
//
// The lock file names its holder (process id, program, machine). A lock whose holder is gone is
// recovered at once: a process of this machine that no longer runs, or whose id now belongs to
// another program, or a machine started again since. A live holder keeps the folder for as long
// as it runs, however long that is. A lock file that names no holder at all (a holder stopped
// between making the file and writing it) is recovered once it is a few seconds old.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QLockFile;

namespace quorvel {

inline constexpr const char* kFolderLockName = "quorvel.lock";
// How long a writing quorvel-cli command waits for the folder before giving up.
inline constexpr std::chrono::milliseconds kFolderLockWait { 2000 };

// folder/quorvel.lock
std::string folderLockFile(std::string_view folder);

// Who holds a folder, as its lock file tells.
struct FolderLockHolder
{
    std::int64_t pid = 0;
    std::string program; // the program's file name ("quorvel", "quorvel-cli"), may be empty
    std::string host; // empty when it is this machine
};

// "quorvel-cli, process 1234" (with " on HOST" for another machine's program).
std::string describeHolder(const FolderLockHolder& holder);

enum class FolderLockResult
{
    Taken,
    InUse, // another program holds it (see holder())
    CannotCreate, // the lock file cannot be made: the folder cannot be written (see fileError())
};

class FolderLock
{
public:
    explicit FolderLock(std::string folder);
    ~FolderLock(); // releases a lock held
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock, waiting up to `wait` for another holder to let go. Taking a lock already
    // held by this object is Taken at once.
    FolderLockResult take(std::chrono::milliseconds wait);
    void release();
    bool held() const;

    const std::string& folder() const { return m_folder; }
    std::string file() const { return folderLockFile(m_folder); }
    // After InUse: the holder, when its lock file could be read.
    const std::optional<FolderLockHolder>& holder() const { return m_holder; }
    // After CannotCreate: the file error code of why the folder cannot be written.
    int fileError() const { return m_fileError; }

private:
    FolderLockResult attempt();

    std::string m_folder;
    std::unique_ptr<QLockFile> m_lock;
    std::optional<FolderLockHolder> m_holder;
    int m_fileError = 0;
};

} // namespace quorvel
