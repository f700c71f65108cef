#include "folder_lock.h"

#include "file_errors.h"
#include "paths.h"
#include "strings/strings.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace quorvel {

namespace {

// How often a waiting taker looks again: short, since writing commands hold the folder for
// milliseconds and a waiting one should follow at once.
constexpr std::chrono::milliseconds kPollInterval { 15 };
// A lock file that names no holder is recovered once it is this old: a holder writes its name
// within moments of making the file.
constexpr qint64 kNamelessLockAgeMs = 5000;

// Why a lock file cannot be made in `folder`: the folder's own state (missing, not writable,
// read-only file system), or a write fault when the folder looks writable (a full disk).
int whyNotWritable(const std::string& folder)
{
    const std::string lockFile = folderLockFile(folder);
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return fileErrorFromErrno(errno, lockFile);
    return FileError::kWriteFault;
}

} // namespace

std::string folderLockFile(std::string_view folder)
{
    return paths::join(folder, kFolderLockName);
}

std::string describeHolder(const FolderLockHolder& holder)
{
    std::string text;
    if (!holder.program.empty())
        text = holder.program + ", ";
    text += strings::kLockHolderProcess + std::to_string(holder.pid);
    if (!holder.host.empty())
        text += strings::kLockHolderOnHost + holder.host;
    return text;
}

FolderLock::FolderLock(std::string folder)
    : m_folder(std::move(folder))
    , m_lock(std::make_unique<QLockFile>(QString::fromStdString(folderLockFile(m_folder))))
{
    // Age alone never makes a lock stale: the window holds its folder for hours. A holder that
    // is gone is recognised by its process id (QLockFile checks it whatever this time is).
    m_lock->setStaleLockTime(0);
}

FolderLock::~FolderLock() = default; // QLockFile releases a held lock when destroyed

bool FolderLock::held() const
{
    return m_lock->isLocked();
}

void FolderLock::release()
{
    m_lock->unlock();
}

FolderLockResult FolderLock::take(std::chrono::milliseconds wait)
{
    if (held())
        return FolderLockResult::Taken;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        const FolderLockResult result = attempt();
        if (result != FolderLockResult::InUse)
            return result;
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero())
            return result;
        const auto pause
            = std::min(std::chrono::ceil<std::chrono::milliseconds>(left), kPollInterval);
        QThread::msleep(static_cast<unsigned long>(pause.count()));
    }
}

FolderLockResult FolderLock::attempt()
{
    for (bool retried = false;; retried = true) {
        m_holder.reset();
        m_fileError = 0;
        // A holder that is gone (its process ended, its id reused by another program) is
        // removed here and the lock taken in the same call.
        if (m_lock->tryLock(0))
            return FolderLockResult::Taken;
        if (m_lock->error() != QLockFile::LockFailedError) {
            m_fileError = whyNotWritable(m_folder);
            return FolderLockResult::CannotCreate;
        }
        qint64 pid = 0;
        QString host, program;
        if (m_lock->getLockInfo(&pid, &host, &program)) {
            FolderLockHolder holder;
            holder.pid = pid;
            holder.program = program.toStdString();
            if (!host.isEmpty() && host != QSysInfo::machineHostName())
                holder.host = host.toStdString();
            m_holder = holder;
            return FolderLockResult::InUse;
        }
        // No holder named: either the file went away just now (try again), or a holder stopped
        // between making it and writing its name. An old one is removed, never one that a live
        // holder has open (the removal needs the file's own lock), and the lock tried again.
        const QFileInfo info(QString::fromStdString(file()));
        const bool nameless = info.exists()
            && info.lastModified().msecsTo(QDateTime::currentDateTimeUtc()) > kNamelessLockAgeMs;
        if (retried || (nameless && !m_lock->removeStaleLockFile()))
            return FolderLockResult::InUse;
    }
}

} // namespace quorvel
