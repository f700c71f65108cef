#include "file.h"

#include "file_errors.h"
#include "file_faults.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

std::unique_ptr<File> File::open(const std::string& path, OpenMode mode, int* fileError)
{
    auto fail = [&](int err) -> std::unique_ptr<File> {
        if (fileError)
            *fileError = fileErrorFromErrno(err, path);
        return nullptr;
    };
    if (FileFaults::shouldFail(FileOp::Open))
        return fail(EIO);
    if (path.empty())
        return fail(ENOENT);
    int flags = O_CLOEXEC;
    switch (mode) {
    case OpenMode::ReadOnly:
        flags |= O_RDONLY;
        break;
    case OpenMode::ReadWrite:
        flags |= O_RDWR;
        break;
    case OpenMode::Create:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
    }
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0)
        return fail(errno);
    struct stat st
    { };
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EACCES : errno;
        ::close(fd);
        return fail(err);
    }
    if (fileError)
        *fileError = 0;
    return std::unique_ptr<File>(new File(fd, path, static_cast<std::uint64_t>(st.st_size)));
}

File::File(int fd, std::string path, std::uint64_t size)
    : m_fd(fd)
    , m_path(std::move(path))
    , m_size(size)
{ }

File::~File()
{
    close();
}

bool File::close()
{
    if (m_fd < 0)
        return true;
    const int rc = ::close(m_fd);
    m_fd = -1;
    return rc == 0;
}

bool File::seek(std::uint64_t offset)
{
    if (FileFaults::shouldFail(FileOp::Seek) || m_fd < 0)
        return false;
    m_pos = offset;
    return true;
}

void File::dropCache()
{
    for (Block& b : m_blocks)
        b.index = UINT64_MAX;
}

File::Block* File::fetch(std::uint64_t blockIndex)
{
    Block& b = m_blocks[blockIndex % kSlots];
    if (b.index == blockIndex)
        return &b;
    if (!b.data)
        b.data = std::make_unique<std::uint8_t[]>(kBlockSize);
    b.index = UINT64_MAX;
    const std::uint64_t start = blockIndex << kBlockShift;
    std::size_t got = 0;
    while (got < kBlockSize) {
        const ssize_t n
            = ::pread(m_fd, b.data.get() + got, kBlockSize - got, static_cast<off_t>(start + got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return nullptr;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    b.index = blockIndex;
    b.valid = got;
    return &b;
}

std::size_t File::read(void* buffer, std::size_t n)
{
    if (FileFaults::shouldFail(FileOp::Read) || m_fd < 0)
        return 0;
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < n && m_pos < m_size) {
        const std::uint64_t blockIndex = m_pos >> kBlockShift;
        const std::size_t inBlock = static_cast<std::size_t>(m_pos & (kBlockSize - 1));
        Block* b = fetch(blockIndex);
        if (!b)
            return 0;
        if (inBlock >= b->valid && b->valid < kBlockSize) {
            // The file grew past what this block saw when it was read: read it again.
            b->index = UINT64_MAX;
            b = fetch(blockIndex);
            if (!b)
                return 0;
        }
        if (inBlock >= b->valid)
            break; // the file is shorter than its recorded size: treat as its end
        const std::size_t take = std::min(n - done, b->valid - inBlock);
        std::memcpy(out + done, b->data.get() + inBlock, take);
        done += take;
        m_pos += take;
    }
    return done;
}

void File::refreshCache(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n)
{
    const std::uint64_t end = offset + n;
    for (std::uint64_t bi = offset >> kBlockShift; bi <= (end - 1) >> kBlockShift; ++bi) {
        Block& b = m_blocks[bi % kSlots];
        if (b.index != bi)
            continue;
        const std::uint64_t blockStart = bi << kBlockShift;
        const std::uint64_t from = std::max(offset, blockStart);
        const std::uint64_t to = std::min(end, blockStart + kBlockSize);
        const auto at = static_cast<std::size_t>(from - blockStart);
        if (at > b.valid) {
            b.index = UINT64_MAX; // the write left a gap this block never saw
            continue;
        }
        std::memcpy(
            b.data.get() + at, bytes + (from - offset), static_cast<std::size_t>(to - from));
        b.valid = std::max(b.valid, static_cast<std::size_t>(to - blockStart));
    }
}

bool File::write(const void* buffer, std::size_t n)
{
    if (FileFaults::shouldFail(FileOp::Write) || m_fd < 0)
        return false;
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t w = ::pwrite(m_fd, in + done, n - done, static_cast<off_t>(m_pos + done));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            // Whatever reached the file is in the cache too, so reads stay truthful.
            if (done > 0)
                refreshCache(m_pos, in, done);
            m_size = std::max(m_size, m_pos + done);
            return false;
        }
        done += static_cast<std::size_t>(w);
    }
    if (n > 0)
        refreshCache(m_pos, in, n);
    m_pos += n;
    m_size = std::max(m_size, m_pos);
    return true;
}

bool File::flush()
{
    // Writes go straight to the descriptor; there is no user-space buffer to push.
    return m_fd >= 0;
}

} // namespace quorvel
