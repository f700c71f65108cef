#pragma once

// Failure injection for the file layer. Tests arm it to make the Nth open, seek, read, write,
// sync or rename (counted from the moment it is armed, across all files) fail, and then check
// that the program reports the right result and keeps what it already had. An armed failure
// carries the errno the operation fails with (EIO unless the test names another, ENOSPC for a
// full disk, say). Crash tests arm it to end the process at the Nth operation instead, as a crash
// or a power cut would between two writes. Unarmed it costs one branch.

#include <array>
#include <cerrno>
#include <cstdint>

namespace quorvel {

enum class FileOp : std::uint8_t
{
    Open,
    Seek,
    Read,
    Write,
    Sync, // a file or folder brought to disk (fsync, fdatasync)
    Rename, // a replacement file put in place of the old one
    Count
};

class FileFaults
{
public:
    // The nth operation of this kind from now (1-based) fails with `error`, and so do the
    // `times` - 1 after it.
    static void failNth(FileOp op, int n, int times = 1, int error = EIO);
    // The nth operation of this kind from now and every later one fail with `error`.
    static void failFrom(FileOp op, int n, int error = EIO);
    // The nth operation of this kind from now ends the process at once with `status` (_exit: no
    // destructor runs, nothing more is written), before the operation is carried out.
    static void exitAtNth(FileOp op, int n, int status);
    // Disarms everything and zeroes the counters.
    static void reset();
    // Operations of this kind seen since the last reset (counted whether armed or not).
    static int count(FileOp op);

    // Called by the file layer before it carries out an operation: true when it must fail.
    static bool shouldFail(FileOp op) { return failure(op) != 0; }
    // The same, giving the errno the operation fails with, or 0 when it goes ahead.
    static int failure(FileOp op);

private:
    struct Plan
    {
        int seen = 0;
        int first = 0; // 0: not armed
        int last = 0; // inclusive; -1: unbounded
        int error = EIO;
        int exitAt = 0; // 0: not armed
        int exitStatus = 0;
    };
    static std::array<Plan, static_cast<int>(FileOp::Count)> s_plans;
};

} // namespace quorvel
