#include "file_faults.h"

#include <unistd.h>

namespace quorvel {

std::array<FileFaults::Plan, static_cast<int>(FileOp::Count)> FileFaults::s_plans {};

void FileFaults::failNth(FileOp op, int n, int times)
{
    Plan& p = s_plans[static_cast<int>(op)];
    p.first = p.seen + n;
    p.last = p.first + times - 1;
}

void FileFaults::failFrom(FileOp op, int n)
{
    Plan& p = s_plans[static_cast<int>(op)];
    p.first = p.seen + n;
    p.last = -1;
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

bool FileFaults::shouldFail(FileOp op)
{
    Plan& p = s_plans[static_cast<int>(op)];
    ++p.seen;
    if (p.exitAt != 0 && p.seen == p.exitAt)
        ::_exit(p.exitStatus);
    if (p.first == 0 || p.seen < p.first)
        return false;
    return p.last < 0 || p.seen <= p.last;
}

} // namespace quorvel
