// The line stamp, put together by hand, against what printf and the system make of the same time.
#include "trace/TraceTimeStamp.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <string>

namespace tolv::trace::testing {
namespace {

constexpr unsigned kMicrosecondsPerMillisecond = 1000;
constexpr std::int64_t kHundredNanosecondsPerMicrosecond = 10;
constexpr std::int64_t kMicrosecondsPerSecond = 1000000;

std::string PrintfStamp(unsigned threadId, const TimeOfDay& time)
{
    char stamp[kTimeStampCapacity];
    std::snprintf(stamp, sizeof(stamp), "{[%04x]} %2.2d:%2.2d:%2.2d:%6.6u", threadId, static_cast<int>(time.hour),
                  static_cast<int>(time.minute), static_cast<int>(time.second), time.microseconds);
    return stamp;
}

std::string HandStamp(unsigned threadId, const TimeOfDay& time)
{
    char stamp[kTimeStampCapacity];
    const size_t length = FormatTimeStamp(threadId, time, stamp);
    EXPECT_EQ(length, std::char_traits<char>::length(stamp));
    return stamp;
}

TEST(TraceTimeStampTest, StampIsWhatPrintfMakesOfIt)
{
    const unsigned threadIds[] = {0, 0x7, 0xabc, 0xffff, 0x12345, 0xfedcba98, 0xffffffff};
    const TimeOfDay times[] = {{0, 0, 0, 0}, {9, 5, 7, 1000}, {23, 59, 59, 999999}, {12, 30, 1, 42}, {1, 2, 3, 999000}};
    for (const unsigned threadId : threadIds) {
        for (const TimeOfDay& time : times)
            EXPECT_EQ(HandStamp(threadId, time), PrintfStamp(threadId, time));
    }
}

TEST(TraceTimeStampTest, TimeOfDayIsTheSystemsCalendarTime)
{
    FILETIME systemNow;
    GetSystemTimeAsFileTime(&systemNow);
    ULARGE_INTEGER now;
    now.LowPart = systemNow.dwLowDateTime;
    now.HighPart = systemNow.dwHighDateTime;
    const std::int64_t samples[] = {0, 1, static_cast<std::int64_t>(now.QuadPart),
                                    static_cast<std::int64_t>(now.QuadPart) + 12345678, 0x7fffffffffffffffLL};
    for (const std::int64_t sample : samples) {
        ULARGE_INTEGER value;
        value.QuadPart = static_cast<ULONGLONG>(sample);
        const FILETIME fileTime = {value.LowPart, value.HighPart};
        SYSTEMTIME calendar;
        ASSERT_TRUE(FileTimeToSystemTime(&fileTime, &calendar)) << sample;
        TimeOfDay time;
        ASSERT_TRUE(TimeOfDayFromHundredNanoseconds(sample, time)) << sample;
        EXPECT_EQ(time.hour, calendar.wHour) << sample;
        EXPECT_EQ(time.minute, calendar.wMinute) << sample;
        EXPECT_EQ(time.second, calendar.wSecond) << sample;
        EXPECT_EQ(time.microseconds / kMicrosecondsPerMillisecond, calendar.wMilliseconds) << sample;
        EXPECT_EQ(time.microseconds,
                  static_cast<unsigned>(sample / kHundredNanosecondsPerMicrosecond % kMicrosecondsPerSecond))
            << sample;
    }
}

TEST(TraceTimeStampTest, TimeBeyondTheFileTimeRangeHasNoTimeOfDay)
{
    const FILETIME beyond = {0, 0x80000000u};
    SYSTEMTIME calendar;
    EXPECT_FALSE(FileTimeToSystemTime(&beyond, &calendar));
    TimeOfDay time;
    EXPECT_FALSE(TimeOfDayFromHundredNanoseconds(INT64_MIN, time));
    EXPECT_FALSE(TimeOfDayFromHundredNanoseconds(-1, time));
}

}  // namespace
}  // namespace tolv::trace::testing
