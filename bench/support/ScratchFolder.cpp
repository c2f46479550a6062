#include "ScratchFolder.h"

#include "com/UniqueHandle.h"

#include <windows.h>

CScratchFolder::CScratchFolder(const wchar_t* prefix)
{
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return;
    std::wstring folder(temp, length);
    if (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    m_path = folder + L"\\" + prefix + std::to_wstring(GetCurrentProcessId());
    // A folder left by an earlier run with the same process id would mix in its files.
    RemoveFolderTree(m_path);
    m_created = CreateFolderPath(m_path);
}

CScratchFolder::~CScratchFolder()
{
    if (m_created)
        RemoveFolderTree(m_path);
}

bool CreateFolderPath(const std::wstring& path)
{
    if (CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        return true;
    if (GetLastError() != ERROR_PATH_NOT_FOUND)
        return false;
    const size_t separator = path.find_last_of(L"\\/");
    if (separator == std::wstring::npos || separator == 0)
        return false;
    return CreateFolderPath(path.substr(0, separator)) && CreateDirectoryW(path.c_str(), nullptr);
}

bool RemoveFolderTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    tolv::com::unique_find_handle search(FindFirstFileW((path + L"\\*").c_str(), &found));
    bool removed = true;
    if (search) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removed = RemoveFolderTree(child) && removed;
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                removed = DeleteFileW(child.c_str()) && removed;
            }
        } while (FindNextFileW(search.get(), &found));
    }
    // An open search keeps the folder from going.
    search.reset();
    return RemoveDirectoryW(path.c_str()) && removed;
}
