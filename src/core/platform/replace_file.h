#pragma once

// The one way to write a file whole (the startup record, the settings file, a rebuilt history
// file, a backup copy, a new dictionary): the new bytes go to a temporary file beside the old
// one, which replaces it only once every byte is written and on disk. Any failure before that
// leaves the old file byte for byte as it was, removes the temporary file and is reported.
//
// The steps: a temporary file ".<name>.<pid>.<random>.tmp" is created in the target's folder,
// exclusively and never through a symbolic link (a name that is taken, by a file or a link, is
// passed over for another); it gets the old file's permission bits (0666 less the umask for a
// new file) and, where the process may give them, its owner and group; every write is checked; the
// file is synced and closed, both checked; it is renamed over the target; and the folder is synced
// so that the rename itself survives a crash.
//
// A target that is a symbolic link is replaced itself: the link becomes a regular file holding
// the new bytes and the file it pointed at is not touched. A save never writes through a link it
// did not make.

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quorvel {

// Where a replacement failed.
enum class ReplaceStep : std::uint8_t
{
    None, // nothing failed
    Create, // no temporary file could be made beside the target (or the target is a folder)
    Write, // a write of the new bytes failed
    Writer, // the writer gave up for a reason of its own (a source it could not read, say)
    Sync, // the new bytes could not be brought to disk, or the file could not be closed
    Commit, // the new file could not be put in the target's place
    // The new file is in place, but the folder could not be brought to disk: the replacement
    // may not survive a crash. Reported as a failure; the target holds the new bytes.
    SyncFolder,
};

// The outcome of replaceFile: 0 or the file error code (the codes of the file-error message
// table), the system's errno behind it, and the step that failed.
struct [[nodiscard]] ReplaceResult
{
    int fileError = 0;
    int systemError = 0;
    ReplaceStep failedStep = ReplaceStep::None;

    bool ok() const { return failedStep == ReplaceStep::None; }
    explicit operator bool() const { return ok(); }
    // The disk (or the user's quota) is full: callers with a message of their own for it.
    bool diskFull() const { return systemError == ENOSPC || systemError == EDQUOT; }
    // Whether the target now holds the new bytes (the old file being gone).
    bool replaced() const
    {
        return failedStep == ReplaceStep::None || failedStep == ReplaceStep::SyncFolder;
    }
};

// What a writer writes the new file's bytes to, in as many pieces as it likes.
class ReplaceSink
{
public:
    // Appends the bytes; false when they could not all be written. After a failure every
    // write fails and the replacement fails, whatever the writer then returns.
    [[nodiscard]] bool write(const void* data, std::size_t size);
    [[nodiscard]] bool write(std::string_view text) { return write(text.data(), text.size()); }
    // Bytes written so far.
    std::uint64_t written() const { return m_written; }

    ReplaceSink(const ReplaceSink&) = delete;
    ReplaceSink& operator=(const ReplaceSink&) = delete;

private:
    explicit ReplaceSink(int fd)
        : m_fd(fd)
    { }
    friend ReplaceResult replaceFile(const std::string&, const std::function<bool(ReplaceSink&)>&);

    int m_fd;
    int m_error = 0;
    std::uint64_t m_written = 0;
};

// Writes the new file's bytes through the sink; returns false to abandon the replacement.
using ReplaceWriter = std::function<bool(ReplaceSink&)>;

// Replaces the file at `path` with what the writer writes (streamed: nothing needs to be held
// in memory whole).
ReplaceResult replaceFile(const std::string& path, const ReplaceWriter& writer);

// Replaces the file at `path` with these bytes.
ReplaceResult replaceFile(const std::string& path, const void* data, std::size_t size);

// Reads a whole file; false (and the file error code) when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& out, int* fileError = nullptr);

// The temporary file a replacement of `path` makes, for a given random part.
std::string temporaryFileName(const std::string& path, std::uint64_t random);

// For tests: with a seed, the n-th name a replacement tries (n = 0, 1, ...) has the random part
// seed + n, so that a test can plant files where a save will look. 0 restores random names.
void setTemporaryNameSeedForTesting(std::uint64_t seed);

} // namespace quorvel
