#include "ScaleFolder.h"

#include "SmallFile.h"

#include "bench/support/ScratchFolder.h"

#include "com/HResult.h"
#include "com/UniqueHandle.h"

#include <cwchar>

namespace {

// Room for "f" and the widest index (five digits for the ten thousand files) and ".txt".
constexpr size_t kNameLength = 16;

}  // namespace

std::wstring ScaleFileName(int index)
{
    wchar_t name[kNameLength];
    std::swprintf(name, kNameLength, L"f%05d.txt", index);
    return name;
}

HRESULT FillScaleFolder(const std::wstring& pcFolder, int count)
{
    if (!CreateFolderPath(pcFolder))
        return tolv::com::HResultFromLastError();
    for (int index = 0; index < count; ++index) {
        const HRESULT hr = WriteSmallFile(pcFolder + L"\\" + ScaleFileName(index));
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

size_t CountFolderEntries(const std::wstring& pcFolder)
{
    size_t count = 0;
    WIN32_FIND_DATAW found;
    const tolv::com::unique_find_handle search(FindFirstFileW((pcFolder + L"\\*").c_str(), &found));
    if (!search)
        return 0;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            ++count;
    } while (FindNextFileW(search.get(), &found));
    return count;
}
