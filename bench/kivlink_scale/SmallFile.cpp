#include "SmallFile.h"

#include "com/HResult.h"
#include "com/UniqueHandle.h"

using tolv::com::unique_handle;

namespace {

const char kContent[kSmallFileBytes + 1] = "0123456789abcdef";

}  // namespace

HRESULT WriteSmallFile(const std::wstring& path)
{
    unique_handle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return tolv::com::HResultFromLastError();
    DWORD done = 0;
    if (!WriteFile(file.get(), kContent, kSmallFileBytes, &done, nullptr) || done != kSmallFileBytes)
        return tolv::com::HResultFromLastError();
    return S_OK;
}

bool IsSmallFile(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA facts{};
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &facts) &&
           (facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && facts.nFileSizeHigh == 0 &&
           facts.nFileSizeLow == kSmallFileBytes;
}
