#include "ProgramVersion.h"

#include "KivServerTrace.h"

#include "com/HResult.h"
#include "trace/TolvTrace.h"

#include <cwchar>
#include <vector>

HRESULT ReadProgramVersion(CKivString& path, CKivString& version)
{
    wchar_t file[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, file, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return tolv::com::HResultFromLastError();
    path = CKivString(file);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    if (size == 0)
        return tolv::com::HResultFromLastError();
    std::vector<BYTE> resource(size);
    if (!GetFileVersionInfoW(file, 0, size, resource.data()))
        return tolv::com::HResultFromLastError();
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedLength = 0;
    if (!VerQueryValueW(resource.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedLength) || !fixed ||
        fixedLength < sizeof(VS_FIXEDFILEINFO)) {
        // This one line is written in its own spelling.
        KivServerTrace()->Format(1, "Warning [%s %d]", "ProgramVersion", __LINE__);
        version = CKivString(L"version unknown");
        return S_OK;
    }
    wchar_t text[64];
    std::swprintf(text, 64, L"%ld.%ld.%ld.%ld", static_cast<long>(HIWORD(fixed->dwFileVersionMS)),
                  static_cast<long>(LOWORD(fixed->dwFileVersionMS)), static_cast<long>(HIWORD(fixed->dwFileVersionLS)),
                  static_cast<long>(LOWORD(fixed->dwFileVersionLS)));
    version = CKivString(text);
    return S_OK;
}
