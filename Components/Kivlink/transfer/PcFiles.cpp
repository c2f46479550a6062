#include "PcFiles.h"

#include "com/UniqueHandle.h"

#include <climits>

KivPcEntry ClassifyPcPath(const wchar_t* path)
{
    DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PC_MISSING;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PC_FOLDER : PC_FILE;
}

HRESULT ReadPcFileSize(HANDLE file, ULONGLONG& size)
{
    LARGE_INTEGER value;
    if (!GetFileSizeEx(file, &value))
        return tolv::com::HResultFromLastError();
    size = static_cast<ULONGLONG>(value.QuadPart);
    return S_OK;
}

HRESULT ReadPcFileSize(const wchar_t* path, ULONGLONG& size)
{
    tolv::com::unique_handle file(CreateFileW(path, GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return tolv::com::HResultFromLastError();
    return ReadPcFileSize(file.get(), size);
}

HRESULT CreateEmptyPcFile(const wchar_t* path)
{
    tolv::com::unique_handle file(
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return tolv::com::HResultFromLastError();
    return S_OK;
}

long PhoneSizeOf(ULONGLONG pcSize)
{
    return pcSize > static_cast<ULONGLONG>(LONG_MAX) ? kSizeNoPhoneFileHas : static_cast<long>(pcSize);
}

bool SameSize(ULONGLONG pcSize, long phoneSize)
{
    return phoneSize >= 0 && pcSize == static_cast<ULONGLONG>(phoneSize);
}
