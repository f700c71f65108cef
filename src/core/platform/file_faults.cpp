#include "file_faults.h"

#include <unistd.h>

namespace quorvel {

std::array<FileFaults::Plan, static_cast<int>(FileOp::Count)> FileFaults::s_plans {};

void FileFaults::failNth(FileOp op, int n, int times, int error)
{
    Plan& p = s_plans[static_cast<int>(op)];
    p.first = p.seen + n;
    p.last = p.first + times - 1;
    p.error = error != 0 ? error : EIO;
}

void FileFaults::failFrom(FileOp op, int n, int error)
{
    Plan& p = s_plans[static_cast<int>(op)];
    p.first = p.seen + n;
    p.last = -1;
    p.error = error != 0 ? error : EIO;
}

void FileFaults::exitAtNth(FileOp op, int n, int status)
{
    Plan& p = s_plans[static_cast<int>(op)];
    p.exitAt = p.seen + n;
    p.exitStatus = status;
}

void FileFaults::reset()
{
    s_plans = {};
}

int FileFaults::count(FileOp op)
{
    return s_plans[static_cast<int>(op)].seen;
}

int FileFaults::failure(FileOp op)
{
    Plan& p = s_plans[static_cast<int>(op)];
    ++p.seen;
    if (p.exitAt != 0 && p.seen == p.exitAt)
        ::_exit(p.exitStatus);
    if (p.first == 0 || p.seen < p.first)
        return 0;
    return p.last < 0 || p.seen <= p.last ? p.error : 0;
}

} // namespace quorvel
