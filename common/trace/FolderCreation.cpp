#include "trace/FolderCreation.h"

#include <windows.h>
#include <cstring>

namespace tolv::trace {

namespace {

bool IsDirectory(const char* path) noexcept
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool CreateFolderWithParents(const char* folder) noexcept
{
    if (!folder || !*folder)
        return false;
    if (CreateDirectoryA(folder, nullptr))
        return true;

    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS)
        return IsDirectory(folder);
    if (error != ERROR_PATH_NOT_FOUND)
        return false;

    const char* lastSeparator = std::strrchr(folder, '\\');
    if (!lastSeparator || lastSeparator == folder)
        return false;
    const size_t parentLength = static_cast<size_t>(lastSeparator - folder);
    char parent[MAX_PATH];
    if (parentLength >= sizeof(parent))
        return false;
    std::memcpy(parent, folder, parentLength);
    parent[parentLength] = '\0';

    if (!CreateFolderWithParents(parent))
        return false;
    if (CreateDirectoryA(folder, nullptr))
        return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && IsDirectory(folder);
}

}  // namespace tolv::trace
