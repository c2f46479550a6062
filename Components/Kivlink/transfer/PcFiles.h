#pragma once
// The few facts about PC files the copy routes ask for, and the sizes they compare with the
// phone's, which counts in a signed 32-bit value.
#include <windows.h>

#include "com/HResult.h"

enum KivPcEntry {
    PC_MISSING,
    PC_FILE,
    PC_FOLDER,
};
KivPcEntry ClassifyPcPath(const wchar_t* path);

// The whole 64-bit size of an open file or of a file by name.
HRESULT ReadPcFileSize(HANDLE file, ULONGLONG& size);
HRESULT ReadPcFileSize(const wchar_t* path, ULONGLONG& size);

// An empty file at path, replacing what is there.
HRESULT CreateEmptyPcFile(const wchar_t* path);

// What the phone must report for a complete copy of a PC file of this size. A size the phone
// cannot report (2 GiB and more) gives a value no phone file has, so that such a copy never
// counts as complete.
constexpr long kSizeNoPhoneFileHas = -1;
long PhoneSizeOf(ULONGLONG pcSize);

// Whether a PC size and a size the phone reported name the same number of bytes.
bool SameSize(ULONGLONG pcSize, long phoneSize);
