// The stamp that opens every trace line: "{[thread]} hh:mm:ss:uuuuuu". It is built under the
// trace's lock for every line, so it is put together by hand rather than through printf and
// the calendar conversion of the system.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tolv::trace {

struct TimeOfDay {
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
    unsigned microseconds = 0;
};

// The time of day of a FILETIME-scale time (100-ns units since 1601); false where
// FileTimeToSystemTime fails too, for a time beyond the FILETIME range.
bool TimeOfDayFromHundredNanoseconds(std::int64_t time, TimeOfDay& timeOfDay) noexcept;

// Room for the longest stamp with its terminator, whatever the fields hold.
constexpr size_t kTimeStampCapacity = 64;

// The stamp exactly as "{[%04x]} %2.2d:%2.2d:%2.2d:%6.6u" prints it, terminated; returns its
// length without the terminator.
size_t FormatTimeStamp(unsigned threadId, const TimeOfDay& time, char (&stamp)[kTimeStampCapacity]) noexcept;

}  // namespace tolv::trace
