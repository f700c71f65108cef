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

namespace {

bool writeAll(
    int fd, const std::uint8_t* bytes, std::size_t n, std::uint64_t offset, std::size_t& done)
{
    done = 0;
    while (done < n) {
        const ssize_t w = ::pwrite(fd, bytes + done, n - done, static_cast<off_t>(offset + done));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(w);
    }
    return true;
}

} // namespace

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
        flags |= O_RDWR | O_CREAT; // emptied below, without truncating on disk yet
        break;
    case OpenMode::CreateNew:
        flags |= O_RDWR | O_CREAT | O_EXCL; // O_EXCL never follows a link either
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
    const auto diskSize = static_cast<std::uint64_t>(st.st_size);
    const std::uint64_t size = mode == OpenMode::Create ? 0 : diskSize;
    return std::unique_ptr<File>(new File(fd, path, size, diskSize));
}

File::File(int fd, std::string path, std::uint64_t size, std::uint64_t diskSize)
    : m_fd(fd)
    , m_path(std::move(path))
    , m_size(size)
    , m_diskSize(diskSize)
{ }

File::~File()
{
    close();
}

bool File::close()
{
    if (m_fd < 0)
        return true;
    bool ok = !m_batch || endBatch();
    // An emptied file that ends shorter than its old bytes loses the rest now.
    if (m_diskSize > m_size)
        ok = ::ftruncate(m_fd, static_cast<off_t>(m_size)) == 0 && ok;
    ok = ::close(m_fd) == 0 && ok;
    m_fd = -1;
    return ok;
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
    if (!writeBackAside())
        m_batchFailed = true;
    for (Block& b : m_blocks) {
        if (b.dirty && !writeBack(b))
            m_batchFailed = true;
        b.index = UINT64_MAX;
    }
}

bool File::writeBackAside()
{
    std::vector<std::uint64_t> indexes;
    indexes.reserve(m_aside.size());
    for (const auto& [index, block] : m_aside) {
        if (block.dirty)
            indexes.push_back(index);
    }
    std::sort(indexes.begin(), indexes.end());
    bool ok = true;
    for (std::uint64_t index : indexes)
        ok = writeBack(m_aside[index]) && ok;
    m_aside.clear();
    return ok;
}

bool File::writeBack(Block& b)
{
    if (!b.dirty)
        return true;
    b.dirty = false;
    const std::uint64_t start = b.index << kBlockShift;
    std::size_t done = 0;
    const bool ok = writeAll(m_fd, b.data.get(), b.valid, start, done);
    m_diskSize = std::max(m_diskSize, start + done);
    return ok;
}

File::Block* File::fetch(std::uint64_t blockIndex)
{
    Block& b = m_blocks[blockIndex % kSlots];
    if (b.index == blockIndex)
        return &b;
    if (m_batch) {
        // The block in the slot steps aside rather than being written or read again later.
        if (b.index != UINT64_MAX && m_aside.size() < kBatchBlocks) {
            m_aside.emplace(b.index, std::move(b));
            b = Block {};
        }
        if (const auto kept = m_aside.find(blockIndex); kept != m_aside.end()) {
            if (b.dirty && !writeBack(b))
                m_batchFailed = true;
            b = std::move(kept->second);
            m_aside.erase(kept);
            return &b;
        }
    }
    if (b.dirty && !writeBack(b))
        m_batchFailed = true;
    if (!b.data)
        b.data = std::make_unique<std::uint8_t[]>(kBlockSize);
    b.index = UINT64_MAX;
    const std::uint64_t start = blockIndex << kBlockShift;
    const std::size_t wanted = start >= m_size
        ? 0
        : static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, m_size - start));
    std::size_t got = 0;
    while (got < wanted) {
        const ssize_t n
            = ::pread(m_fd, b.data.get() + got, wanted - got, static_cast<off_t>(start + got));
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
        const auto inBlock = static_cast<std::size_t>(m_pos & (kBlockSize - 1));
        Block* b = fetch(blockIndex);
        if (!b)
            return 0;
        if (inBlock >= b->valid && b->valid < kBlockSize && !b->dirty) {
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

const std::uint8_t* File::view(
    std::uint64_t offset, std::size_t minBytes, std::size_t& available, bool& failed)
{
    available = 0;
    failed = FileFaults::shouldFail(FileOp::Read) || m_fd < 0;
    if (failed || offset >= m_size)
        return nullptr;
    Block* b = fetch(offset >> kBlockShift);
    if (!b) {
        failed = true;
        return nullptr;
    }
    const auto inBlock = static_cast<std::size_t>(offset & (kBlockSize - 1));
    if (inBlock >= b->valid || b->valid - inBlock < minBytes)
        return nullptr;
    available = b->valid - inBlock;
    return b->data.get() + inBlock;
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

bool File::writeIntoCache(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n)
{
    const std::uint64_t end = offset + n;
    for (std::uint64_t bi = offset >> kBlockShift; bi <= (end - 1) >> kBlockShift; ++bi) {
        Block* b = fetch(bi);
        if (!b)
            return false;
        const std::uint64_t blockStart = bi << kBlockShift;
        const std::uint64_t from = std::max(offset, blockStart);
        const std::uint64_t to = std::min(end, blockStart + kBlockSize);
        const auto at = static_cast<std::size_t>(from - blockStart);
        if (at > b->valid)
            std::memset(
                b->data.get() + b->valid, 0, at - b->valid); // a gap past the end reads as zeros
        std::memcpy(
            b->data.get() + at, bytes + (from - offset), static_cast<std::size_t>(to - from));
        b->valid = std::max(b->valid, static_cast<std::size_t>(to - blockStart));
        b->dirty = true;
    }
    return true;
}

bool File::writeThrough(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n)
{
    // Bytes an emptied file still holds on disk between its end and this write must read as
    // zeros, as they would in a truncated file.
    if (offset > m_size && m_diskSize > m_size) {
        const std::uint64_t gapEnd = std::min(offset, m_diskSize);
        const std::vector<std::uint8_t> zeros(static_cast<std::size_t>(gapEnd - m_size), 0);
        std::size_t done = 0;
        if (!writeAll(m_fd, zeros.data(), zeros.size(), m_size, done))
            return false;
    }
    std::size_t done = 0;
    const bool ok = writeAll(m_fd, bytes, n, offset, done);
    // Whatever reached the file is in the cache too, so reads stay truthful.
    if (done > 0) {
        refreshCache(offset, bytes, done);
        m_size = std::max(m_size, offset + done);
        m_diskSize = std::max(m_diskSize, offset + done);
    }
    return ok;
}

bool File::write(const void* buffer, std::size_t n)
{
    if (FileFaults::shouldFail(FileOp::Write) || m_fd < 0)
        return false;
    if (n == 0)
        return true;
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    bool ok;
    if (m_batch) {
        ok = writeIntoCache(m_pos, in, n);
        if (ok)
            m_size = std::max(m_size, m_pos + n);
    } else {
        ok = writeThrough(m_pos, in, n);
    }
    if (ok)
        m_pos += n;
    return ok;
}

bool File::flush()
{
    if (m_fd < 0)
        return false;
    bool ok = !m_batchFailed;
    ok = writeBackAside() && ok;
    for (Block& b : m_blocks)
        ok = writeBack(b) && ok;
    return ok;
}

bool File::sync()
{
    if (FileFaults::shouldFail(FileOp::Sync) || m_fd < 0)
        return false;
    const bool flushed = flush();
    while (::fdatasync(m_fd) != 0) {
        if (errno != EINTR)
            return false;
    }
    return flushed;
}

bool File::endBatch()
{
    const bool ok = flush();
    m_batch = false;
    m_batchFailed = false;
    return ok;
}

} // namespace quorvel
