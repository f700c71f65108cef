// Whole-file saves: every save that replaces a file keeps the old file byte for byte when the
// disk fills up or the file system fails at any step, says so, leaves no temporary file behind,
// never writes through a link planted where it makes its temporary file, and gives the new file
// the old one's permissions. The failures are injected; one test also fills a real (small) disk
// where the machine lets a test mount one.

#include "config/settings_file.h"
#include "config/startup_info.h"
#include "dictionary/dictionary_backup.h"
#include "history/history_file.h"
#include "platform/file_errors.h"
#include "platform/file_faults.h"
#include "platform/paths.h"
#include "platform/replace_file.h"
#include "strings/settings_strings.h"
#include "strings/strings.h"
#include "support/dictionary_test_support.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <sched.h>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

std::string readText(const std::string& path)
{
    const Bytes bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& path, const std::string& text)
{
    writeBytes(path, Bytes(text.begin(), text.end()));
}

// Every file and folder under `folder`, by relative path: a file as its bytes, a link as the
// path it holds, a folder as "/".
using Tree = std::map<std::string, std::string>;

Tree snapshot(const std::string& folder)
{
    Tree tree;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(e.path(), folder).string();
        if (e.is_symlink())
            tree[name] = "-> " + fs::read_symlink(e.path()).string();
        else if (e.is_directory())
            tree[name] = "/";
        else
            tree[name] = readText(e.path().string());
    }
    return tree;
}

// The names that differ between two snapshots, one a line ("" when none does).
std::string differences(const Tree& before, const Tree& after)
{
    std::string out;
    for (const auto& [name, content] : before) {
        const auto it = after.find(name);
        if (it == after.end())
            out += name + " is gone\n";
        else if (it->second != content)
            out += name + " changed\n";
    }
    for (const auto& [name, content] : after)
        if (!before.count(name))
            out += name + " appeared\n";
    return out;
}

bool holdsTemporaryFile(const Tree& tree)
{
    for (const auto& [name, content] : tree) {
        const std::string file = fs::path(name).filename().string();
        if (file.front() == '.' && file.size() > 4 && file.ends_with(".tmp"))
            return true;
    }
    return false;
}

// An installation in `base`: its startup record, a dictionary and a backup folder, as each save
// below finds them.
struct Scene
{
    explicit Scene(std::string folder)
        : base(std::move(folder))
    { }

    std::string base;
    StartupInfo info;
    FakeClock clock;

    std::string backup(const char* name) const { return backupDestination(info, name); }

    bool make()
    {
        std::error_code ec;
        fs::create_directories(base + "/progdata", ec);
        fs::create_directories(base + "/backup", ec);
        FillStartupDefaults(info, base);
        info.setAdditionalDictPath(base + "/backup/");
        const Bytes dictionary = buildDictionaryImage({ entry("CAT"), entry("DOG") });
        writeBytes(paths::dictionaryFile(base), dictionary);
        return !ec && SaveStartupInfo(info);
    }
};

// One save of the program: what it finds before it runs, and the save itself (true when it
// reports success). Each changes what it saves, so a save that works shows.
struct SaveCase
{
    const char* name;
    std::function<bool(Scene&)> arrange;
    std::function<bool(Scene&)> save;
};

std::vector<SaveCase> saveCases()
{
    auto nothing = [](Scene&) { return true; };
    auto oldBackups = [](Scene& s) {
        writeText(s.backup(paths::kDictionaryBackupName), "an older dictionary backup");
        writeText(s.backup(paths::kStartupBackupName), "an older record backup");
        return true;
    };
    return {
        { "startup record", nothing,
            [](Scene& s) {
                StartupInfo changed = s.info;
                changed.setUserName(0, "Changed");
                return SaveStartupInfo(changed);
            } },
        { "first startup record",
            [](Scene& s) { return fs::remove(paths::startupRecordFile(s.base)); },
            [](Scene& s) {
                StartupInfo fresh;
                return CreateStartupInfo(fresh, s.base);
            } },
        { "settings file",
            [](Scene& s) {
                writeText(paths::settingsFile(s.base),
                    "[Startup]\r\nFirst time=No\r\n; kept as it is\r\n[Print options]\r\n"
                    "Left hand Margin=12\r\n");
                return true;
            },
            [](Scene& s) {
                return SettingsFile(paths::settingsFile(s.base))
                    .writeString("Print options", "Left hand Margin", "99");
            } },
        { "history rebuild",
            [](Scene& s) {
                if (!GenerateHistoryFile(s.base, 5, 0, s.clock))
                    return false;
                auto file = HistoryFile::open(s.base, 0, OpenMode::ReadWrite);
                HistorySummary drill;
                drill.words = 10;
                drill.correct = 7;
                return file && file->append(drill, "", false, s.clock) && file->close();
            },
            [](Scene& s) { return GenerateHistoryFile(s.base, 3, 0, s.clock); } },
        { "new history file", nothing,
            [](Scene& s) { return GenerateHistoryFile(s.base, 3, 1, s.clock); } },
        { "dictionary backup", oldBackups,
            [](Scene& s) { return !copyBackupFiles(s.info).has_value(); } },
        { "startup record backup copy", oldBackups,
            [](Scene& s) {
                return copyFileBytes(
                           paths::startupRecordFile(s.base), s.backup(paths::kStartupBackupName))
                    == CopyResult::Done;
            } },
    };
}

struct FailurePoint
{
    const char* name;
    FileOp op;
    int n;
};

// A full disk as it shows at each step of a replacement: the writes, the sync of the new file
// before it is put in place, and the rename.
constexpr FailurePoint kFullDiskPoints[] = {
    { "write", FileOp::Write, 1 },
    { "sync", FileOp::Sync, 1 },
    { "rename", FileOp::Rename, 1 },
};

TEST(WholeFileSaves, FullDiskAtAnyStepKeepsTheOldFileAndReportsTheFailure)
{
    for (const SaveCase& c : saveCases()) {
        for (const FailurePoint& p : kFullDiskPoints) {
            SCOPED_TRACE(std::string(c.name) + ", full disk at the " + p.name);
            TempFolder folder;
            Scene scene(folder.path());
            ASSERT_TRUE(scene.make());
            ASSERT_TRUE(c.arrange(scene));
            const Tree before = snapshot(folder.path());

            FileFaults::reset();
            FileFaults::failNth(p.op, p.n, 1, ENOSPC);
            EXPECT_FALSE(c.save(scene));
            const int reached = FileFaults::count(p.op);
            FileFaults::reset();
            EXPECT_GE(reached, p.n) << "the save never got to this step";
            EXPECT_EQ(differences(before, snapshot(folder.path())), "");

            // With room on the disk again the same save goes through.
            EXPECT_TRUE(c.save(scene));
            const Tree after = snapshot(folder.path());
            EXPECT_NE(differences(before, after), "");
            EXPECT_FALSE(holdsTemporaryFile(after));
        }
    }
}

// The folder is synced after the rename, so a failure there comes with the new file already in
// place: it is reported all the same (the save may not survive a crash), and nothing is left.
TEST(WholeFileSaves, FailedFolderSyncIsReportedWithTheNewFileInPlace)
{
    for (const SaveCase& c : saveCases()) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        Scene scene(folder.path());
        ASSERT_TRUE(scene.make());
        ASSERT_TRUE(c.arrange(scene));
        const Tree before = snapshot(folder.path());
        FileFaults::reset();
        FileFaults::failNth(FileOp::Sync, 2, 1, EIO);
        EXPECT_FALSE(c.save(scene));
        EXPECT_EQ(FileFaults::count(FileOp::Sync), 2);
        FileFaults::reset();
        const Tree after = snapshot(folder.path());
        EXPECT_NE(differences(before, after), "");
        EXPECT_FALSE(holdsTemporaryFile(after));
    }
}

TEST(WholeFileSaves, BackupOnAFullDiskSaysTheDiskMayBeFull)
{
    for (const FailurePoint& p : kFullDiskPoints) {
        SCOPED_TRACE(p.name);
        TempFolder folder;
        Scene scene(folder.path());
        ASSERT_TRUE(scene.make());
        FileFaults::failNth(p.op, p.n, 1, ENOSPC);
        const std::optional<Notice> notice = copyBackupFiles(scene.info);
        FileFaults::reset();
        ASSERT_TRUE(notice.has_value());
        EXPECT_EQ(notice->text, strings::kDiskSpaceProblem);
        EXPECT_EQ(notice->caption, strings::kWarning);
    }
}

// What a failed replacement tells its caller: the step, the file error code and whether the disk
// was full, for a message of its own.
TEST(ReplaceFile, ReportsTheStepAndTheFileErrorOfAFailure)
{
    const struct
    {
        FileOp op;
        int error;
        ReplaceStep step;
        int fileError;
        bool diskFull;
    } cases[] = {
        { FileOp::Open, EMFILE, ReplaceStep::Create, FileError::kTooManyOpenFiles, false },
        { FileOp::Write, ENOSPC, ReplaceStep::Write, FileError::kWriteFault, true },
        { FileOp::Write, EDQUOT, ReplaceStep::Write, FileError::kWriteFault, true },
        { FileOp::Sync, EIO, ReplaceStep::Sync, FileError::kWriteFault, false },
        { FileOp::Rename, EACCES, ReplaceStep::Commit, FileError::kAccessDenied, false },
        { FileOp::Rename, EROFS, ReplaceStep::Commit, FileError::kWriteProtected, false },
    };
    TempFolder folder;
    const std::string path = folder.file("target");
    writeText(path, "old");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::strerror(c.error));
        FileFaults::reset();
        FileFaults::failNth(c.op, 1, 1, c.error);
        const ReplaceResult r = replaceFile(path, "new", 3);
        FileFaults::reset();
        EXPECT_FALSE(r.ok());
        EXPECT_FALSE(r.replaced());
        EXPECT_EQ(r.failedStep, c.step);
        EXPECT_EQ(r.fileError, c.fileError);
        EXPECT_EQ(r.systemError, c.error);
        EXPECT_EQ(r.diskFull(), c.diskFull);
        EXPECT_EQ(readText(path), "old");
    }
    EXPECT_EQ(snapshot(folder.path()).size(), 1u);

    // A folder where the file should be is refused before anything is written.
    fs::create_directory(folder.file("folder"));
    const ReplaceResult intoFolder = replaceFile(folder.file("folder"), "new", 3);
    EXPECT_EQ(intoFolder.failedStep, ReplaceStep::Create);
    EXPECT_EQ(intoFolder.fileError, FileError::kAccessDenied);
    EXPECT_TRUE(fs::is_directory(folder.file("folder")));
}

TEST(ReplaceFile, WriterStreamsItsPiecesAndCanGiveUp)
{
    TempFolder folder;
    const std::string path = folder.file("list");
    writeText(path, "old list");

    // Many pieces, each written as it comes.
    std::string expected;
    const ReplaceResult streamed = replaceFile(path, [&](ReplaceSink& sink) {
        for (int i = 0; i < 2000; ++i) {
            const std::string line = "word " + std::to_string(i) + "\n";
            expected += line;
            if (!sink.write(line))
                return false;
        }
        return sink.written() == expected.size();
    });
    ASSERT_TRUE(streamed.ok());
    EXPECT_EQ(readText(path), expected);

    // A writer that gives up after writing part of the file changes nothing.
    const ReplaceResult abandoned = replaceFile(path, [](ReplaceSink& sink) {
        (void)sink.write("half of it");
        return false;
    });
    EXPECT_EQ(abandoned.failedStep, ReplaceStep::Writer);
    EXPECT_NE(abandoned.fileError, 0);

    // One that carries on after a failed write still fails: the file would be short.
    FileFaults::failNth(FileOp::Write, 2, 1, ENOSPC);
    const ReplaceResult careless = replaceFile(path, [](ReplaceSink& sink) {
        (void)sink.write("first");
        (void)sink.write("second");
        (void)sink.write("third");
        return true;
    });
    FileFaults::reset();
    EXPECT_EQ(careless.failedStep, ReplaceStep::Write);
    EXPECT_TRUE(careless.diskFull());

    // And one that throws leaves nothing behind either.
    EXPECT_THROW((void)replaceFile(path,
                     [](ReplaceSink& sink) -> bool {
                         (void)sink.write("partial");
                         throw std::runtime_error("out of words");
                     }),
        std::runtime_error);

    EXPECT_EQ(readText(path), expected);
    EXPECT_EQ(snapshot(folder.path()).size(), 1u);
}

// Sets the temporary names' random part for a test, and random names again after it.
class FixedTemporaryNames
{
public:
    explicit FixedTemporaryNames(std::uint64_t seed) { setTemporaryNameSeedForTesting(seed); }
    ~FixedTemporaryNames() { setTemporaryNameSeedForTesting(0); }
    FixedTemporaryNames(const FixedTemporaryNames&) = delete;
    FixedTemporaryNames& operator=(const FixedTemporaryNames&) = delete;
};

// Links planted where a save makes its temporary file, or at the name the history rebuild once
// used, are never written through: the files they point at stay as they were, and a link that
// points nowhere does not make a file there.
TEST(ReplaceFile, PlantedLinksAreNeverFollowed)
{
    TempFolder folder, elsewhere;
    const std::string precious = elsewhere.file("precious");
    writeText(precious, "not yours to change");
    const std::string nowhere = elsewhere.file("made-through-a-link");
    const std::string target = folder.file("target");
    writeText(target, "old");

    {
        const FixedTemporaryNames names(1000);
        ASSERT_EQ(::symlink(precious.c_str(), temporaryFileName(target, 1000).c_str()), 0);
        ASSERT_EQ(::symlink(nowhere.c_str(), temporaryFileName(target, 1001).c_str()), 0);
        ASSERT_TRUE(replaceFile(target, "new", 3).ok());
        EXPECT_EQ(readText(target), "new");
        EXPECT_TRUE(fs::is_symlink(temporaryFileName(target, 1000)));
        EXPECT_TRUE(fs::is_symlink(temporaryFileName(target, 1001)));
    }
    {
        // Every name a save would try is taken: it fails, and the old file stays.
        const FixedTemporaryNames names(2000);
        for (std::uint64_t k = 0; k < 64; ++k)
            ASSERT_EQ(::symlink(precious.c_str(), temporaryFileName(target, 2000 + k).c_str()), 0);
        const ReplaceResult r = replaceFile(target, "newer", 5);
        EXPECT_EQ(r.failedStep, ReplaceStep::Create);
        EXPECT_EQ(readText(target), "new");
    }

    // The history rebuild's old temporary file name.
    folder.makeProgdata();
    FakeClock clock;
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 5, 0, clock));
    const std::string oldTemporary = paths::historyFile(folder.path(), 'X');
    ASSERT_EQ(::symlink(precious.c_str(), oldTemporary.c_str()), 0);
    ASSERT_TRUE(GenerateHistoryFile(folder.path(), 3, 0, clock));
    EXPECT_EQ(readBytes(paths::historyFile(folder.path(), '0')).size(), 4u * kHistoryBlockSize);
    EXPECT_TRUE(fs::is_symlink(oldTemporary));

    // A target that is itself a link is replaced, link and all; what it pointed at stays.
    const std::string linked = folder.file("linked");
    ASSERT_EQ(::symlink(precious.c_str(), linked.c_str()), 0);
    ASSERT_TRUE(replaceFile(linked, "new", 3).ok());
    EXPECT_FALSE(fs::is_symlink(linked));
    EXPECT_EQ(readText(linked), "new");

    EXPECT_EQ(readText(precious), "not yours to change");
    EXPECT_FALSE(fs::exists(nowhere));
    EXPECT_EQ(snapshot(elsewhere.path()).size(), 1u);
}

mode_t permissions(const std::string& path)
{
    struct stat st
    { };
    return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

class ScopedUmask
{
public:
    explicit ScopedUmask(mode_t mask)
        : m_old(::umask(mask))
    { }
    ~ScopedUmask() { ::umask(m_old); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t m_old;
};

TEST(ReplaceFile, NewFileHasTheOldFilesPermissionsAndOwner)
{
    TempFolder folder;
    const ScopedUmask mask(022);
    const std::string path = folder.file("target");
    for (const mode_t mode : { 0600, 0640, 0604, 0664, 0444 }) {
        SCOPED_TRACE(mode);
        writeText(path, "old");
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(replaceFile(path, "new", 3).ok());
        EXPECT_EQ(permissions(path), mode);
        EXPECT_EQ(readText(path), "new");
    }

    // A new file gets what any new file gets: 0666 less the umask.
    for (const mode_t umaskBits : { 022, 077, 002 }) {
        SCOPED_TRACE(umaskBits);
        const ScopedUmask inner(umaskBits);
        const std::string fresh = folder.file("fresh" + std::to_string(umaskBits));
        ASSERT_TRUE(replaceFile(fresh, "new", 3).ok());
        EXPECT_EQ(permissions(fresh), 0666 & ~umaskBits);
    }

    // Run as root (a command run with sudo in a user's folder, say), the file stays the user's.
    if (::geteuid() == 0) {
        writeText(path, "old");
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
        ASSERT_TRUE(replaceFile(path, "new", 3).ok());
        struct stat st
        { };
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
    }

    // The startup record holds the passwords: one kept private stays private.
    Scene scene(folder.file("installation"));
    ASSERT_TRUE(scene.make());
    const std::string record = paths::startupRecordFile(scene.base);
    ASSERT_EQ(::chmod(record.c_str(), 0600), 0);
    ASSERT_TRUE(SaveStartupInfo(scene.info));
    EXPECT_EQ(permissions(record), 0600u);
}

// --- a real full disk ----------------------------------------------------------------------

constexpr int kNoMountAllowed = 77;

bool writeSmallFile(const char* path, const std::string& text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    return ::close(fd) == 0 && ok;
}

// A mount namespace of this process's own, as root or through a user namespace.
bool enterMountNamespace()
{
    if (::unshare(CLONE_NEWNS) == 0)
        return true;
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    writeSmallFile("/proc/self/setgroups", "deny");
    return writeSmallFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1\n")
        && writeSmallFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1\n");
}

// Runs `body` in a child process that has a small tmpfs mounted at `mountPoint`, seen by no
// other process and gone with the child. Returns what the body reported ("" for nothing wrong),
// or nothing when this machine lets no test mount a file system.
std::optional<std::string> onSmallDisk(
    const std::string& mountPoint, const std::function<std::string()>& body)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child < 0)
        return "no child process";
    if (child == 0) {
        ::close(channel[0]);
        const bool mounted = enterMountNamespace()
            && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0
            && ::mount("tmpfs", mountPoint.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=512k")
                == 0;
        if (!mounted)
            ::_exit(kNoMountAllowed);
        const std::string report = body();
        std::size_t done = 0;
        while (done < report.size()) {
            const ssize_t n = ::write(channel[1], report.data() + done, report.size() - done);
            if (n <= 0)
                ::_exit(1);
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(channel[0], buffer, sizeof buffer)) != 0) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        report.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(channel[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) { }
    if (WIFEXITED(status) && WEXITSTATUS(status) == kNoMountAllowed)
        return std::nullopt;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the child process failed: " + report;
    return report;
}

// Takes up every free byte of the disk holding `path`; false when the disk never filled.
bool fillDisk(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const std::string block(4096, 'x');
    for (int i = 0; i < 1 << 20; ++i) {
        const ssize_t n = ::write(fd, block.data(), block.size());
        if (n < 0 && errno == ENOSPC) {
            ::close(fd);
            return true;
        }
        if (n < 0 && errno != EINTR)
            break;
    }
    ::close(fd);
    return false;
}

TEST(WholeFileSaves, RealFullDiskKeepsEveryOldFile)
{
    TempFolder folder;
    const std::string disk = folder.file("disk");
    fs::create_directory(disk);
    const std::optional<std::string> report = onSmallDisk(disk, [&]() -> std::string {
        std::string problems;
        int n = 0;
        for (const SaveCase& c : saveCases()) {
            const std::string name = c.name;
            Scene scene(disk + "/" + std::to_string(++n));
            if (!scene.make() || !c.arrange(scene))
                return name + ": cannot set up\n";
            const std::string filler = disk + "/filler";
            if (!fillDisk(filler))
                return name + ": the disk did not fill up\n";
            const Tree before = snapshot(scene.base);
            if (c.save(scene))
                problems += name + ": reported success on a full disk\n";
            const std::string changed = differences(before, snapshot(scene.base));
            if (!changed.empty())
                problems += name + " on a full disk:\n" + changed;
            fs::remove(filler);
            if (!c.save(scene))
                problems += name + ": failed with room on the disk\n";
        }
        return problems;
    });
    if (!report)
        GTEST_SKIP() << "this machine lets no test mount a small file system";
    EXPECT_EQ(*report, "");
}

} // namespace
} // namespace quorvel::test
