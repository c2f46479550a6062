#include "platform/phonesim/OleDate.h"

#include <cmath>

namespace phonesim {

namespace {

constexpr long long kTicksPerSecond = 10000000;
constexpr long long kSecondsPerDay = 86400;
// Seconds from 1 January 1601 (FILETIME's origin) to 30 December 1899 (DATE's).
constexpr long long kDateOriginSeconds = 109205LL * kSecondsPerDay;

}  // namespace

DATE FileTimeToOleDate(const FILETIME& time) noexcept
{
    const unsigned long long ticks = (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    const long long seconds = static_cast<long long>(ticks / kTicksPerSecond) - kDateOriginSeconds;
    long long days = seconds / kSecondsPerDay;
    long long rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        days -= 1;
        rest += kSecondsPerDay;
    }
    const double fraction = static_cast<double>(rest) / kSecondsPerDay;
    // Before the origin the whole days count backwards while the time of day still counts
    // forwards: -1.25 is 29 December 1899, 06:00.
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

bool OleDateToFileTime(DATE date, FILETIME& time) noexcept
{
    if (!std::isfinite(date) || date < -109205.0 || date > 2958465.0) {
        return false;
    }
    long long days = static_cast<long long>(std::trunc(date));
    long long seconds = std::llround(std::fabs(date - static_cast<double>(days)) * kSecondsPerDay);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        days += 1;
    }
    // A negative date's time of day runs forward from the start of its (earlier) day.
    const long long total = days * kSecondsPerDay + seconds + kDateOriginSeconds;
    if (total < 0) {
        return false;
    }
    const unsigned long long ticks = static_cast<unsigned long long>(total) * kTicksPerSecond;
    time.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return true;
}

}  // namespace phonesim
