// The installation folder's lock: one holder at a time, a bounded wait, holders that are gone
// recovered at once and live ones never, and what a refused start says.

#include "app/startup_sequence.h"
#include "platform/file_errors.h"
#include "platform/folder_lock.h"
#include "strings/strings.h"
#include "support/temp_folder.h"

#include <QByteArray>
#include <QString>
#include <QSysInfo>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quorvel::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string ownProgramName()
{
    return std::filesystem::read_symlink("/proc/self/exe").filename().string();
}

// A lock file as a program on some machine leaves it: process id, program, host name, host id,
// boot id (the last three as QLockFile compares them).
void writeLockFile(const std::string& path, long long pid, const std::string& program,
    const QByteArray& host, const QByteArray& hostId, const QByteArray& bootId)
{
    std::ofstream(path) << pid << '\n'
                        << program << '\n'
                        << host.toStdString() << '\n'
                        << hostId.toStdString() << '\n'
                        << bootId.toStdString() << '\n';
}

// The id of a process of this machine that has ended.
long long endedProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

void ageFile(const std::string& path, std::chrono::seconds age)
{
    namespace fs = std::filesystem;
    fs::last_write_time(path, fs::file_time_type::clock::now() - age);
}

TEST(FolderLock, OneHolderAtATimeWhoIsNamed)
{
    TempFolder dir;
    FolderLock first(dir.path());
    FolderLock second(dir.path());
    ASSERT_EQ(first.take(0ms), FolderLockResult::Taken);
    EXPECT_TRUE(first.held());
    EXPECT_EQ(first.file(), dir.file("quorvel.lock"));
    EXPECT_TRUE(fileExists(first.file()));
    EXPECT_EQ(first.take(0ms), FolderLockResult::Taken) << "a holder taking again keeps it";

    // A holder that has had the folder for an hour still has it: age alone never frees it.
    ageFile(first.file(), 1h);
    ASSERT_EQ(second.take(0ms), FolderLockResult::InUse);
    EXPECT_FALSE(second.held());
    ASSERT_TRUE(second.holder().has_value());
    EXPECT_EQ(second.holder()->pid, ::getpid());
    EXPECT_EQ(second.holder()->program, ownProgramName());
    EXPECT_EQ(second.holder()->host, "") << "this machine";
    EXPECT_EQ(describeHolder(*second.holder()),
        ownProgramName() + ", process " + std::to_string(::getpid()));

    first.release();
    EXPECT_FALSE(first.held());
    EXPECT_FALSE(fileExists(first.file()));
    EXPECT_EQ(second.take(0ms), FolderLockResult::Taken);
    {
        FolderLock scoped(dir.path());
        EXPECT_EQ(scoped.take(0ms), FolderLockResult::InUse);
        second.release();
        EXPECT_EQ(scoped.take(0ms), FolderLockResult::Taken);
    }
    EXPECT_FALSE(fileExists(dir.file("quorvel.lock"))) << "released when the holder ends";
}

TEST(FolderLock, WaitsForTheHolderUpToTheWaitTime)
{
    TempFolder dir;
    FolderLock holder(dir.path());
    ASSERT_EQ(holder.take(0ms), FolderLockResult::Taken);

    FolderLock waiter(dir.path());
    auto started = Clock::now();
    EXPECT_EQ(waiter.take(300ms), FolderLockResult::InUse);
    EXPECT_GE(Clock::now() - started, 300ms);

    std::thread letGo([&] {
        std::this_thread::sleep_for(200ms);
        holder.release();
    });
    started = Clock::now();
    EXPECT_EQ(waiter.take(kFolderLockWait), FolderLockResult::Taken);
    const auto waited = Clock::now() - started;
    letGo.join();
    EXPECT_GE(waited, 200ms);
    EXPECT_LT(waited, kFolderLockWait) << "taken as soon as it was let go, not at the end";
}

// Whose lock file is recovered at once and whose is respected.
TEST(FolderLock, AHolderThatIsGoneIsRecoveredAtOnce)
{
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QByteArray hostId = QSysInfo::machineUniqueId();
    const QByteArray bootId = QSysInfo::bootUniqueId();
    struct Case
    {
        const char* what;
        long long pid;
        std::string program;
        QByteArray host, hostId, bootId;
        bool recovered;
    };
    const Case cases[] = {
        { "a process of this machine that has ended", endedProcessId(), "quorvel-cli", host, hostId,
            bootId, true },
        { "its id now belongs to another program", static_cast<long long>(::getppid()),
            "quorvel-cli", host, hostId, bootId, true },
        { "the machine was started again since", static_cast<long long>(::getpid()),
            ownProgramName(), host, hostId, "another-boot", true },
        { "a live process of this program", static_cast<long long>(::getpid()), ownProgramName(),
            host, hostId, bootId, false },
        { "another machine's program: its process cannot be looked at", 4242, "quorvel",
            "classroom-pc", "another-machine", "another-boot", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder dir;
        writeLockFile(dir.file("quorvel.lock"), c.pid, c.program, c.host, c.hostId, c.bootId);
        FolderLock lock(dir.path());
        if (c.recovered) {
            EXPECT_EQ(lock.take(0ms), FolderLockResult::Taken) << "without waiting";
            continue;
        }
        EXPECT_EQ(lock.take(0ms), FolderLockResult::InUse);
        ASSERT_TRUE(lock.holder().has_value());
        EXPECT_EQ(lock.holder()->pid, c.pid);
        EXPECT_EQ(lock.holder()->program, c.program);
        if (c.host != host) {
            EXPECT_EQ(lock.holder()->host, c.host.toStdString());
            EXPECT_EQ(describeHolder(*lock.holder()), "quorvel, process 4242 on classroom-pc");
        }
    }
}

// A lock file that names nobody (its maker stopped before writing its name) is given a few
// seconds, then recovered.
TEST(FolderLock, ANamelessLockFileIsRecoveredOnceOld)
{
    TempFolder dir;
    std::ofstream(dir.file("quorvel.lock")).flush();
    FolderLock lock(dir.path());
    EXPECT_EQ(lock.take(0ms), FolderLockResult::InUse);
    EXPECT_FALSE(lock.holder().has_value());
    ageFile(dir.file("quorvel.lock"), 1min);
    EXPECT_EQ(lock.take(0ms), FolderLockResult::Taken);
}

TEST(FolderLock, AFolderThatCannotBeWrittenSaysWhy)
{
    TempFolder dir;
    FolderLock lock(dir.file("missing"));
    EXPECT_EQ(lock.take(kFolderLockWait), FolderLockResult::CannotCreate) << "without waiting";
    EXPECT_EQ(lock.fileError(), FileError::kPathNotFound);
    EXPECT_FALSE(lock.held());

    const std::string text = folderRefusedText(lock, FolderLockResult::CannotCreate);
    EXPECT_EQ(text,
        std::string(strings::kFolderNotWritable) + "\r\n" + dir.file("missing") + "\r\n"
            + FileErrorMessage(FileError::kPathNotFound));
}

TEST(FolderLock, ARefusedStartNamesTheFolderAndItsHolder)
{
    TempFolder dir;
    FolderLock holder(dir.path());
    ASSERT_EQ(holder.take(0ms), FolderLockResult::Taken);
    FolderLock refused(dir.path());
    ASSERT_EQ(refused.take(0ms), FolderLockResult::InUse);
    EXPECT_EQ(folderRefusedText(refused, FolderLockResult::InUse),
        std::string(strings::kFolderInUse) + "\r\n" + dir.path() + "\r\n(" + ownProgramName()
            + ", process " + std::to_string(::getpid()) + ")\r\n" + strings::kFolderInUseAdvice);
    EXPECT_EQ(folderRefusedText(holder, FolderLockResult::Taken), "");
}

} // namespace
} // namespace quorvel::test
