#pragma once

// A list draw seeds its random numbers from "now": a clock that moves on by a second per call
// makes every draw another list, as draws (and drill Starts) a second apart are.

#include "platform/services.h"

#include <cstdint>
#include <ctime>

namespace quorvel::bench {

class SteppingClock final : public Clock
{
public:
    std::uint32_t ticks() override { return m_ticks += 10; }
    std::time_t now() override { return ++m_now; }

private:
    std::uint32_t m_ticks = 0;
    std::time_t m_now = 1'700'000'000;
};

} // namespace quorvel::bench
