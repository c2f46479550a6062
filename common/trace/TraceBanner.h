// The block of lines that opens every trace file.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdio>

namespace tolv::trace {

// Application and component lines.
void WriteBannerHeading(FILE* file, const char* tracePath) noexcept;

// Creation time when the performance counter drives the line time stamps.
void WriteGeneratedHighResolution(FILE* file, const SYSTEMTIME& localTime, unsigned microseconds,
                                  double counterResolutionMicroseconds) noexcept;

// Creation time when only the system clock is available.
void WriteGeneratedSystemTime(FILE* file, const SYSTEMTIME& localTime, double timeAdjustmentMicroseconds) noexcept;

// The operating system line, text from "Microsoft" up to the closing asterisks; extended
// says whether the service pack fields of the record are valid.
void FormatSystemDescription(const OSVERSIONINFOEXA& version, bool extended, char* buffer, size_t capacity) noexcept;

// The operating system line of the running system; left out when the system will not say.
void WriteSystemLine(FILE* file) noexcept;

// The row of asterisks and the empty line that close the banner.
void WriteBannerClosing(FILE* file) noexcept;

}  // namespace tolv::trace
