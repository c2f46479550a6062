#pragma once
// Whether a PC file and a phone file are taken for different files (eLeaveIfDifferent): the
// PC file's creation time (as UTC) against the phone file's date, and the two sizes.
#include <windows.h>
#include <oleauto.h>

class CFileDescription;

// The PC side of the comparison; a file that cannot be opened has the date 1.0 and size 1.
struct SPcFileStamp {
    DATE date = 1.0;
    ULONGLONG size = 1;
};
SPcFileStamp ReadPcFileStamp(const wchar_t* path);

// Both sides keep whole seconds, but compute the DATE of a second each in their own way, so
// the last bits of the two values may differ: dates count as equal within the same second.
bool SameSecond(DATE left, DATE right);

bool PcFileDiffersFromPhoneFile(const wchar_t* pcPath, CFileDescription& phoneFile);
