#include "services.h"

#include <chrono>
#include <cstdio>

namespace quorvel {

std::uint32_t SystemClock::ticks()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::time_t SystemClock::now()
{
    return std::time(nullptr);
}

std::string classicDateText(std::time_t when)
{
    // Day and month names are fixed English abbreviations whatever the locale, as in ctime().
    static const char* const kDays[] = { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };
    static const char* const kMonths[]
        = { "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
    std::tm tm {};
    localtime_r(&when, &tm);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s %s %2d %02d:%02d:%02d %d\n", kDays[tm.tm_wday % 7],
        kMonths[tm.tm_mon % 12], tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_year + 1900);
    return buffer;
}

} // namespace quorvel
