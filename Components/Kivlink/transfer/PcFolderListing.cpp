#include "PcFolderListing.h"

#include "PcFiles.h"

#include "com/UniqueHandle.h"

#include <cwchar>
#include <new>

HRESULT ListPcNames(const wchar_t* pattern, bool foldersToo, std::vector<CKivString>& names)
{
    names.clear();
    WIN32_FIND_DATAW found;
    tolv::com::unique_find_handle search(FindFirstFileW(pattern, &found));
    if (!search) {
        DWORD error = GetLastError();
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES)
                   ? S_OK
                   : tolv::com::HResultFromWin32Failure(error);
    }
    try {
        do {
            const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (!folder || (foldersToo && wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0))
                names.emplace_back(found.cFileName);
        } while (FindNextFileW(search.get(), &found));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    DWORD error = GetLastError();
    return error == ERROR_NO_MORE_FILES ? S_OK : tolv::com::HResultFromWin32Failure(error);
}
