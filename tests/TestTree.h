#pragma once
// Removes a test's folder with everything below it, read-only files included (the phone's
// attributes round-trip onto the PC files that back it). True when nothing is left.
#include <windows.h>

#include <filesystem>
#include <string>
#include <system_error>

inline bool RemoveTestTree(const std::wstring& folder)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    error.clear();
    std::filesystem::remove_all(folder, error);
    return !error;
}
