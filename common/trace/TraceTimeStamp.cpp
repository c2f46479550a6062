#include "trace/TraceTimeStamp.h"

#include <charconv>
#include <cstring>

namespace tolv::trace {

namespace {

constexpr std::int64_t kHundredNanosecondsPerMicrosecond = 10;
constexpr std::int64_t kMicrosecondsPerSecond = 1000000;
constexpr std::int64_t kSecondsPerMinute = 60;
constexpr std::int64_t kMinutesPerHour = 60;
constexpr std::int64_t kHoursPerDay = 24;
constexpr size_t kThreadIdDigits = 4;
constexpr size_t kClockFieldDigits = 2;
constexpr size_t kMicrosecondDigits = 6;
constexpr int kHexadecimal = 16;
constexpr int kDecimal = 10;
constexpr size_t kMostDecimalDigits = 10;
constexpr size_t kMostHexadecimalDigits = 8;
constexpr size_t kDecimalFields = 4;

// Every field at its widest between the stamp's fixed characters.
constexpr size_t kLongestStamp = sizeof("{[]} :::") - 1 + kMostHexadecimalDigits + kDecimalFields * kMostDecimalDigits;
static_assert(kLongestStamp < kTimeStampCapacity);

// printf's precision on an unsigned conversion: at least minimumDigits, zeros in front.
char* PutPadded(char* out, unsigned value, size_t minimumDigits, int base) noexcept
{
    char digits[kMostDecimalDigits];
    const size_t count = static_cast<size_t>(std::to_chars(digits, digits + sizeof(digits), value, base).ptr - digits);
    for (size_t padding = count; padding < minimumDigits; ++padding)
        *out++ = '0';
    std::memcpy(out, digits, count);
    return out + count;
}

template <size_t Size>
char* PutText(char* out, const char (&text)[Size]) noexcept
{
    std::memcpy(out, text, Size - 1);
    return out + Size - 1;
}

}  // namespace

bool TimeOfDayFromHundredNanoseconds(std::int64_t time, TimeOfDay& timeOfDay) noexcept
{
    if (time < 0)
        return false;
    const std::int64_t microseconds = time / kHundredNanosecondsPerMicrosecond;
    const std::int64_t seconds = microseconds / kMicrosecondsPerSecond;
    const std::int64_t minutes = seconds / kSecondsPerMinute;
    const std::int64_t hours = minutes / kMinutesPerHour;
    timeOfDay.microseconds = static_cast<unsigned>(microseconds % kMicrosecondsPerSecond);
    timeOfDay.second = static_cast<unsigned>(seconds % kSecondsPerMinute);
    timeOfDay.minute = static_cast<unsigned>(minutes % kMinutesPerHour);
    timeOfDay.hour = static_cast<unsigned>(hours % kHoursPerDay);
    return true;
}

size_t FormatTimeStamp(unsigned threadId, const TimeOfDay& time, char (&stamp)[kTimeStampCapacity]) noexcept
{
    char* out = stamp;
    out = PutText(out, "{[");
    out = PutPadded(out, threadId, kThreadIdDigits, kHexadecimal);
    out = PutText(out, "]} ");
    out = PutPadded(out, time.hour, kClockFieldDigits, kDecimal);
    out = PutText(out, ":");
    out = PutPadded(out, time.minute, kClockFieldDigits, kDecimal);
    out = PutText(out, ":");
    out = PutPadded(out, time.second, kClockFieldDigits, kDecimal);
    out = PutText(out, ":");
    out = PutPadded(out, time.microseconds, kMicrosecondDigits, kDecimal);
    *out = '\0';
    return static_cast<size_t>(out - stamp);
}

}  // namespace tolv::trace
