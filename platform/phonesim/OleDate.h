// OLE Automation DATEs of the phone's files: UTC, whole seconds, so that a date read from a
// file, written to another and read again compares equal.
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace phonesim {

DATE FileTimeToOleDate(const FILETIME& time) noexcept;
// False for a DATE before 1601 or beyond what a FILETIME holds.
bool OleDateToFileTime(DATE date, FILETIME& time) noexcept;

}  // namespace phonesim
