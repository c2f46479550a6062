#pragma once
// What the photo job and page tests share: the plug-in's resources, linked into the test
// program (PhotoJobTestResources.rc), and the files of a PC folder.
#include "com/UniqueHandle.h"
#include "resources/ModuleResource.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

inline HINSTANCE TestResources()
{
    return GetModuleHandleW(nullptr);
}

// The English texts of the program's string table.
inline CModuleResource& TestTexts()
{
    static CModuleResource texts(TestResources());
    return texts;
}

// The names of the files (not folders) in `folder`, sorted.
inline std::vector<std::wstring> FolderFiles(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    const tolv::com::unique_find_handle search(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!search)
        return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(entry.cFileName);
    } while (FindNextFileW(search.get(), &entry));
    std::sort(names.begin(), names.end());
    return names;
}
