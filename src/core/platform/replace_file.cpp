#include "replace_file.h"

#include "file.h"
#include "file_errors.h"
#include "file_faults.h"

#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

// Names that are taken are passed over; this many in a row means something is wrong.
constexpr int kNameAttempts = 64;
// The target's name as part of the temporary name is cut so that the whole stays a legal name.
constexpr std::size_t kNamePartLimit = 120;

std::uint64_t s_nameSeed = 0;

std::uint64_t randomPart()
{
    std::uint64_t value = 0;
    if (::getrandom(&value, sizeof value, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof value))
        return value;
    static std::mt19937_64 fallback { std::random_device {}()
        ^ static_cast<std::uint64_t>(::getpid()) };
    return fallback();
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The file error code of a failed step of a save: an I/O error is a write fault here, whatever
// it means to a reader.
int saveError(int err, const std::string& path)
{
    switch (err) {
    case EIO:
    case EFBIG:
    case ENOSPC:
    case EDQUOT:
        return FileError::kWriteFault;
    default:
        return fileErrorFromErrno(err, path);
    }
}

ReplaceResult failed(ReplaceStep step, int err, const std::string& path)
{
    ReplaceResult r;
    r.failedStep = step;
    r.systemError = err;
    r.fileError = err != 0 ? saveError(err, path) : FileError::kGeneralFailure;
    if (r.fileError == FileError::kNone)
        r.fileError = FileError::kGeneralFailure;
    return r;
}

// The temporary file while a replacement is under way: closed and removed unless it was put in
// place, whatever way the replacement ends (an exception from the writer included).
class Temporary
{
public:
    Temporary() = default;
    ~Temporary()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_name.empty())
            ::unlink(m_name.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    int fd() const { return m_fd; }
    const std::string& name() const { return m_name; }
    void opened(int fd, std::string name)
    {
        m_fd = fd;
        m_name = std::move(name);
    }
    // Closes the descriptor; the errno of a failed close, or 0.
    int close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }
    // Put in place: nothing left to remove.
    void committed() { m_name.clear(); }

private:
    int m_fd = -1;
    std::string m_name;
};

int syncDescriptor(int fd)
{
    if (const int injected = FileFaults::failure(FileOp::Sync))
        return injected;
    while (::fsync(fd) != 0) {
        if (errno != EINTR)
            return errno;
    }
    return 0;
}

// Brings the folder's entries to disk, so that a rename in it survives a crash. A folder that
// cannot be opened for reading, or a file system that cannot sync folders, has nothing more to
// give: that is not a failure of the save.
int syncFolder(const std::string& folder)
{
    if (const int injected = FileFaults::failure(FileOp::Sync))
        return injected;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES || errno == EPERM ? 0 : errno;
    int err = 0;
    while (::fsync(fd) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EINVAL && errno != ENOTSUP && errno != EROFS)
            err = errno;
        break;
    }
    ::close(fd);
    return err;
}

} // namespace

bool ReplaceSink::write(const void* data, std::size_t size)
{
    if (m_error != 0)
        return false;
    if (const int injected = FileFaults::failure(FileOp::Write)) {
        m_error = injected;
        return false;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t w = ::write(m_fd, bytes + done, size - done);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            m_error = errno;
            return false;
        }
        if (w == 0) { // nothing more goes in: as good as a full disk
            m_error = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(w);
    }
    m_written += size;
    return true;
}

std::string temporaryFileName(const std::string& path, std::uint64_t random)
{
    const auto slash = path.find_last_of('/');
    const std::string folder
        = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() > kNamePartLimit)
        name.resize(kNamePartLimit);
    char tail[48];
    std::snprintf(tail, sizeof tail, ".%ld.%016llx.tmp", static_cast<long>(::getpid()),
        static_cast<unsigned long long>(random));
    return folder + "." + name + tail;
}

void setTemporaryNameSeedForTesting(std::uint64_t seed)
{
    s_nameSeed = seed;
}

ReplaceResult replaceFile(const std::string& path, const ReplaceWriter& writer)
{
    if (const int injected = FileFaults::failure(FileOp::Open))
        return failed(ReplaceStep::Create, injected, path);
    if (path.empty() || path.back() == '/')
        return failed(ReplaceStep::Create, path.empty() ? ENOENT : EISDIR, path);

    // The old file's permission bits are kept; a link or anything else in its place is not
    // looked through.
    struct stat old
    { };
    bool keepMode = false;
    if (::lstat(path.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode))
            return failed(ReplaceStep::Create, EISDIR, path);
        keepMode = S_ISREG(old.st_mode);
    }
    const mode_t mode = keepMode ? (old.st_mode & 0777) : 0666;

    Temporary temporary;
    for (int attempt = 0; attempt < kNameAttempts && temporary.fd() < 0; ++attempt) {
        const std::uint64_t random
            = s_nameSeed != 0 ? s_nameSeed + static_cast<std::uint64_t>(attempt) : randomPart();
        std::string name = temporaryFileName(path, random);
        int fd;
        do
            fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        while (fd < 0 && errno == EINTR);
        if (fd >= 0)
            temporary.opened(fd, std::move(name));
        else if (errno != EEXIST)
            return failed(ReplaceStep::Create, errno, path);
    }
    if (temporary.fd() < 0)
        return failed(ReplaceStep::Create, EEXIST, path);
    // The old file's owner and group where this process may give them (a save made as root in
    // a user's folder leaves the file the user's), then exactly the old bits: it was created with
    // no more than them, the umask perhaps taking some. A file system without owners or
    // permission bits refuses, which does not matter to the save.
    if (keepMode) {
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)::fchown(temporary.fd(), old.st_uid, old.st_gid);
        (void)::fchmod(temporary.fd(), mode);
    }

    ReplaceSink sink(temporary.fd());
    const bool written = writer(sink);
    if (sink.m_error != 0)
        return failed(ReplaceStep::Write, sink.m_error, path);
    if (!written)
        return failed(ReplaceStep::Writer, 0, path);

    if (const int err = syncDescriptor(temporary.fd()); err != 0)
        return failed(ReplaceStep::Sync, err, path);
    if (const int err = temporary.close(); err != 0)
        return failed(ReplaceStep::Sync, err, path);

    if (const int injected = FileFaults::failure(FileOp::Rename))
        return failed(ReplaceStep::Commit, injected, path);
    if (::rename(temporary.name().c_str(), path.c_str()) != 0)
        return failed(ReplaceStep::Commit, errno, path);
    temporary.committed();

    if (const int err = syncFolder(folderOf(path)); err != 0)
        return failed(ReplaceStep::SyncFolder, err, path);
    return {};
}

ReplaceResult replaceFile(const std::string& path, const void* data, std::size_t size)
{
    return replaceFile(
        path, [&](ReplaceSink& sink) { return size == 0 || sink.write(data, size); });
}

bool readWholeFile(const std::string& path, std::string& out, int* fileError)
{
    int err = 0;
    auto file = File::open(path, OpenMode::ReadOnly, &err);
    if (!file) {
        if (fileError)
            *fileError = err;
        return false;
    }
    out.resize(static_cast<std::size_t>(file->size()));
    const std::size_t got = out.empty() ? 0 : file->read(out.data(), out.size());
    if (got != out.size()) {
        if (fileError)
            *fileError = FileError::kReadFault;
        return false;
    }
    if (fileError)
        *fileError = 0;
    return true;
}

} // namespace quorvel
