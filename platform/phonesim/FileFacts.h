// The real PC files and folders that back a simulated drive.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace phonesim {

// The attribute bits a phone file has.
inline constexpr DWORD kPhoneAttributeMask = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                             FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_COMPRESSED;

struct EntryFacts {
    DWORD attributes = 0;  // as the PC file system reports them
    unsigned long long size = 0;
    FILETIME lastWrite{};
    bool IsFolder() const noexcept { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

HRESULT ReadEntryFacts(const std::wstring& path, EntryFacts& facts);
bool IsExistingFolder(const std::wstring& path);
bool IsExistingFile(const std::wstring& path);

// The child folders and files of a folder, each sorted by name without regard to case.
HRESULT ListFolder(const std::wstring& folder, std::vector<std::wstring>& folders, std::vector<std::wstring>& files);
// Bytes held by the files of a folder and all folders below it.
unsigned long long FolderUsage(const std::wstring& folder);
// Files of a folder tree as paths relative to it, folders before their content.
struct TreeEntry {
    std::wstring relative;
    bool folder = false;
};
HRESULT ListTree(const std::wstring& folder, std::vector<TreeEntry>& entries);

// Creates the folder and every missing folder above it.
HRESULT CreateFolderChain(const std::wstring& folder);
// Removes a folder with everything in it, read-only files too.
HRESULT RemoveTree(const std::wstring& folder);
// Deletes a file, read-only or not.
HRESULT DeleteAnyFile(const std::wstring& path);
HRESULT SetFileTimes(const std::wstring& path, const FILETIME& time, bool alsoCreation);

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

}  // namespace phonesim

namespace phonesim {

// For "keep both": name " (n)" plus extension, with the first n from 1 that is free in the folder.
std::wstring FreeSiblingName(const std::wstring& folder, const std::wstring& name);

}  // namespace phonesim
