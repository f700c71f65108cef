#pragma once

// The one way core reaches files. A File is a positioned binary stream over a descriptor with
// a small block cache in front of it: records that lie near each other (a bucket chain, a
// word list, a history ring) are served from memory instead of one system call each, and can
// even be looked at in place (view). Writes go straight to the descriptor and refresh the
// cached bytes they touch, so a handle always reads what it wrote; inside a batch they only
// change the cache, and each changed block is written once, whole, when it leaves the cache or
// the batch ends. While a batch runs the cache is not bounded by its slots: a block that leaves
// its slot is kept aside (up to kBatchBlocks of them), so a batch that reaches all over a large
// file reads each block once and writes each changed block once. Another handle writing the same
// file at the same time is not seen; the program opens each file for one operation or one dialog at
// a time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorvel {

enum class OpenMode : std::uint8_t
{
    ReadOnly, // the file must exist
    ReadWrite, // the file must exist ("rb+")
    Create, // created, or emptied, read and write
    CreateNew, // created, read and write; fails when the file is there already
};

class File
{
public:
    // Opens the file; on failure returns null and, when asked, the file error code of the
    // failure (the codes of the file-error message table).
    static std::unique_ptr<File> open(
        const std::string& path, OpenMode mode, int* fileError = nullptr);

    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool seek(std::uint64_t offset);
    // Reads up to n bytes at the position; fewer at the end of the file; 0 on error.
    std::size_t read(void* buffer, std::size_t n);
    // Reads exactly n bytes or fails.
    bool readExact(void* buffer, std::size_t n) { return read(buffer, n) == n; }
    bool write(const void* buffer, std::size_t n);
    // Back to offset 0, clearing any error; cannot fail (the retry path of dictionary writes).
    void rewind() { m_pos = 0; }
    // Writes out what a batch holds so far; false when that fails.
    bool flush();
    // Writes out what a batch holds and waits until the file's bytes are on the disk (fdatasync):
    // what was written before a sync survives a crash or a power loss. False when that fails.
    bool sync();
    // Closes the descriptor (ending a batch first); false when anything of it failed. Safe to
    // call twice.
    bool close();

    bool readAt(std::uint64_t offset, void* buffer, std::size_t n)
    {
        return seek(offset) && readExact(buffer, n);
    }
    bool writeAt(std::uint64_t offset, const void* buffer, std::size_t n)
    {
        return seek(offset) && write(buffer, n);
    }

    // The file's bytes at `offset` in place in the cache: a pointer to `available` bytes (at
    // least `minBytes`, up to the end of their block or of the file), good until the next call
    // on this file. Null when they do not lie in one block (read them with read() instead), or
    // when the read failed, which `failed` then tells. Counts as one read.
    const std::uint8_t* view(
        std::uint64_t offset, std::size_t minBytes, std::size_t& available, bool& failed);

    // Between beginBatch and endBatch writes change only the cache; endBatch writes every
    // changed block and returns false when any write of the batch failed to reach the file.
    void beginBatch() { m_batch = true; }
    bool endBatch();

    std::uint64_t size() const { return m_size; }
    std::uint64_t pos() const { return m_pos; }
    const std::string& path() const { return m_path; }
    // Forgets every cached block (after the file may have changed behind this handle).
    void dropCache();

private:
    File(int fd, std::string path, std::uint64_t size, std::uint64_t diskSize);

    static constexpr std::size_t kBlockShift = 14; // 16 KiB blocks
    static constexpr std::size_t kBlockSize = std::size_t(1) << kBlockShift;
    static constexpr std::size_t kSlots = 32;
    // Blocks a batch keeps beside its slots: 64 MiB, more than any dictionary needs.
    static constexpr std::size_t kBatchBlocks = 4096;

    struct Block
    {
        std::uint64_t index = UINT64_MAX;
        std::size_t valid = 0; // bytes of the block that hold file data
        bool dirty = false; // changed by a batch, not yet written
        std::unique_ptr<std::uint8_t[]> data;
    };

    Block* fetch(std::uint64_t blockIndex);
    bool writeBack(Block& block);
    // Writes the changed blocks kept aside, in file order, and forgets them all.
    bool writeBackAside();
    bool writeThrough(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n);
    void refreshCache(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n);
    bool writeIntoCache(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n);

    int m_fd;
    std::string m_path;
    std::uint64_t m_size; // what the file holds for its readers
    // What the descriptor holds. An emptied file keeps its old bytes on disk until it is closed:
    // truncating to nothing and writing again makes some file systems flush at close, which the
    // next open then waits for. Bytes beyond m_size are never shown.
    std::uint64_t m_diskSize;
    std::uint64_t m_pos = 0;
    bool m_batch = false;
    bool m_batchFailed = false;
    std::array<Block, kSlots> m_blocks;
    std::unordered_map<std::uint64_t, Block> m_aside; // a batch's blocks out of their slots
};

} // namespace quorvel
