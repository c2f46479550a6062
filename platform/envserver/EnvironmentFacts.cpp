#include "platform/envserver/EnvironmentFacts.h"

#include <cstdio>
#include <vector>

#include <shlobj.h>

#include "com/HResult.h"

namespace envserver {

namespace {

constexpr wchar_t kSuiteKey[] = L"Software\\Vostrel\\Pellary";

// Calls `read(buffer, capacity)` until the answer fits; the answer is the length written, or
// the capacity needed when larger than the buffer, or 0 (an empty text, or a failure when
// the call left an error code).
template <class Read>
HRESULT ReadGrowing(std::wstring& text, Read read)
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            RETURN_LAST_ERROR_IF(GetLastError() != ERROR_SUCCESS);
            text.clear();
            return S_OK;
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            text = std::move(buffer);
            return S_OK;
        }
        buffer.resize(static_cast<size_t>(length) + 1);
    }
    return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
}

}  // namespace

std::wstring ReadSuiteString(const wchar_t* name)
{
    DWORD size = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kSuiteKey, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS ||
        size < sizeof(wchar_t)) {
        return {};
    }
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kSuiteKey, name, RRF_RT_REG_SZ, nullptr, text.data(), &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

DWORD ReadSuiteNumber(const wchar_t* name)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kSuiteKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
        return 0;
    }
    return value;
}

std::wstring InstallationSubfolder(const wchar_t* relative)
{
    std::wstring path = ReadSuiteString(L"InstallationPath");
    if (path.empty()) {
        return path;
    }
    if (path.back() == L'\\') {
        path.pop_back();
    }
    return path + relative;
}

HRESULT LogonUserName(std::wstring& name)
{
    wchar_t buffer[257];
    DWORD size = ARRAYSIZE(buffer);
    RETURN_LAST_ERROR_IF(!GetUserNameW(buffer, &size));
    name = buffer;
    return S_OK;
}

HRESULT MachineName(std::wstring& name)
{
    wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = ARRAYSIZE(buffer);
    RETURN_LAST_ERROR_IF(!GetComputerNameW(buffer, &size));
    name = buffer;
    return S_OK;
}

HRESULT FileVersion(const std::wstring& path, std::wstring& version)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    RETURN_LAST_ERROR_IF(size == 0);
    std::vector<BYTE> data(size);
    RETURN_LAST_ERROR_IF(!GetFileVersionInfoW(path.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) || fixed == nullptr ||
        fixedSize < sizeof *fixed) {
        return HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND);
    }
    wchar_t text[64];
    swprintf(text, ARRAYSIZE(text), L"%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
             HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    version = text;
    return S_OK;
}

HRESULT WindowsVersion(std::wstring& version)
{
    // GetVersionEx answers what the program's manifest allows; the kernel's own numbers are
    // the real ones.
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto getVersion = ntdll ? reinterpret_cast<RtlGetVersionFunction>(
                                        reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "RtlGetVersion")))
                                  : nullptr;
    RETURN_HR_IF_NULL(E_NOTIMPL, getVersion);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    RETURN_HR_IF(E_FAIL, getVersion(&info) != 0);
    wchar_t text[64];
    swprintf(text, ARRAYSIZE(text), L"%lu.%lu.%lu", info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
    version = text;
    return S_OK;
}

HRESULT ShellFolder(int csidl, const wchar_t* relative, std::wstring& path)
{
    wchar_t buffer[MAX_PATH];
    RETURN_IF_FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer));
    path = buffer;
    if (relative != nullptr) {
        path += relative;
    }
    return S_OK;
}

HRESULT TempFolder(std::wstring& path)
{
    return ReadGrowing(path, [](wchar_t* buffer, DWORD capacity) { return GetTempPathW(capacity, buffer); });
}

HRESULT ExpandEnvironment(const wchar_t* text, std::wstring& expanded)
{
    RETURN_HR_IF_NULL(E_INVALIDARG, text);
    // The answer counts the terminating zero.
    HRESULT hr = ReadGrowing(expanded, [text](wchar_t* buffer, DWORD capacity) {
        return ExpandEnvironmentStringsW(text, buffer, capacity);
    });
    if (SUCCEEDED(hr) && !expanded.empty() && expanded.back() == L'\0') {
        expanded.pop_back();
    }
    return hr;
}

HRESULT EnvironmentVariable(const wchar_t* name, std::wstring& value)
{
    RETURN_HR_IF(E_INVALIDARG, name == nullptr || *name == L'\0');
    return ReadGrowing(
        value, [name](wchar_t* buffer, DWORD capacity) { return GetEnvironmentVariableW(name, buffer, capacity); });
}

long TimeZoneBiasMinutes()
{
    TIME_ZONE_INFORMATION zone{};
    const DWORD state = GetTimeZoneInformation(&zone);
    long bias = zone.Bias;
    if (state == TIME_ZONE_ID_DAYLIGHT) {
        bias += zone.DaylightBias;
    } else if (state == TIME_ZONE_ID_STANDARD) {
        bias += zone.StandardBias;
    }
    return bias;
}

long ProcessorCount()
{
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    return static_cast<long>(system.dwNumberOfProcessors);
}

long PhysicalMemoryMegabytes()
{
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (!GlobalMemoryStatusEx(&memory)) {
        return 0;
    }
    const DWORDLONG megabytes = memory.ullTotalPhys / (1024 * 1024);
    return megabytes > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<long>(megabytes);
}

bool IsWindows64Bit()
{
#if defined(_WIN64)
    return true;
#else
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

long ScreenDpi()
{
    const HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return 96;
    }
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace envserver
