#include "PcFolderListing.h"

#include "PcFiles.h"

#include <cwchar>
#include <new>

namespace {

class CFindHandle {
public:
    explicit CFindHandle(HANDLE handle) : m_handle(handle) {}
    ~CFindHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            FindClose(m_handle);
    }
    CFindHandle(const CFindHandle&) = delete;
    CFindHandle& operator=(const CFindHandle&) = delete;
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

}  // namespace

HRESULT ListPcNames(const wchar_t* pattern, bool foldersToo, std::vector<CKivString>& names)
{
    names.clear();
    WIN32_FIND_DATAW found;
    CFindHandle search(FindFirstFileW(pattern, &found));
    if (search.get() == INVALID_HANDLE_VALUE) {
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
