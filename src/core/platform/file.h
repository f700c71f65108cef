#pragma once

// The one way core reaches files. A File is a positioned binary stream over a descriptor with
// a small block cache in front of it: records that lie near each other (a bucket chain, a
// word list, a history ring) are served from memory instead of one system call each. Every
// write goes straight to the descriptor and refreshes the cached bytes it touches, so a
// handle always reads what it wrote. Another handle writing the same file at the same time is
// not seen; the program opens each file for one operation or one dialog at a time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvel {

enum class OpenMode : std::uint8_t
{
    ReadOnly, // the file must exist
    ReadWrite, // the file must exist ("rb+")
    Create, // created or truncated, read and write
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
    bool flush();
    // Closes the descriptor; false when the close reported an error. Safe to call twice.
    bool close();

    bool readAt(std::uint64_t offset, void* buffer, std::size_t n)
    {
        return seek(offset) && readExact(buffer, n);
    }
    bool writeAt(std::uint64_t offset, const void* buffer, std::size_t n)
    {
        return seek(offset) && write(buffer, n);
    }

    std::uint64_t size() const { return m_size; }
    std::uint64_t pos() const { return m_pos; }
    const std::string& path() const { return m_path; }
    // Forgets every cached block (after the file may have changed behind this handle).
    void dropCache();

private:
    File(int fd, std::string path, std::uint64_t size);

    static constexpr std::size_t kBlockShift = 14; // 16 KiB blocks
    static constexpr std::size_t kBlockSize = std::size_t(1) << kBlockShift;
    static constexpr std::size_t kSlots = 32;

    struct Block
    {
        std::uint64_t index = UINT64_MAX;
        std::size_t valid = 0; // bytes of the block that hold file data
        std::unique_ptr<std::uint8_t[]> data;
    };

    Block* fetch(std::uint64_t blockIndex);
    void refreshCache(std::uint64_t offset, const std::uint8_t* bytes, std::size_t n);

    int m_fd;
    std::string m_path;
    std::uint64_t m_size;
    std::uint64_t m_pos = 0;
    std::array<Block, kSlots> m_blocks;
};

} // namespace quorvel
