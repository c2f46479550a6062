#pragma once
// The MP3 upload's settings: what the page edits and stores per user, and what a job reads
// again before it starts.
#include <wchar.h>

#include <string>
#include <vector>

namespace tolv::tunepane {

// One row of the selection: a folder (every MP3 file in it and below) or a single file.
struct Mp3Row {
    std::wstring directory;
    std::wstring name;  // kFolderRowName for a folder row
};

// The name that marks a folder row; older settings may say "*.*" instead.
inline constexpr wchar_t kFolderRowName[] = L"*.mp3";
inline constexpr wchar_t kAllFilesRowName[] = L"*.*";

// Whether the row stands for a folder (either name, in any letter case).
inline bool IsFolderRow(const Mp3Row& row)
{
    return _wcsicmp(row.name.c_str(), kFolderRowName) == 0 || _wcsicmp(row.name.c_str(), kAllFilesRowName) == 0;
}

struct Mp3Settings {
    std::wstring phonePath;  // below the drive, "\Mp3" by default
    int memoryToFill = 10;  // percentage of the card to keep free, 0 to 100
    int randomSelection = 0;  // 1: draw files at random when not all fit
    int deleteAll = 1;  // 1: delete the phone folder's MP3 files first
    std::vector<Mp3Row> rows;
};

}  // namespace tolv::tunepane
