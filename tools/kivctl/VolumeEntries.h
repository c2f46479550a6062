// `ls --volume`: the rows of IKivVolume::GetEntries' answer and their lines. The answer is a
// two-dimensional array of VARIANTs: first index the entry, second the GetEntriesIndices
// column.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

struct VolumeEntry {
    std::wstring name;
    long size = 0;
    long attributes = 0;
    DATE lastWrite = 0;
};

// The rows in array order. An empty VARIANT (the answer for an empty folder) has none; an
// answer of another shape is DISP_E_TYPEMISMATCH, a cell of the wrong type that cell's
// conversion error.
HRESULT ReadVolumeEntries(const VARIANT& entries, std::vector<VolumeEntry>& rows);

// "2024-03-07 14:05"; "-" for no date (0, which the server gives folders).
std::wstring EntryDateText(DATE date);

// One line a row: size right-aligned to the widest, the attribute word in hex
// ("0x60000010"), the last write date, the name; columns apart by two spaces.
std::vector<std::wstring> FormatVolumeEntries(const std::vector<VolumeEntry>& rows);
