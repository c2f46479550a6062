#include "platform/envserver/EnvironmentServerObject.h"

#include <new>
#include <string>

#include <shlobj.h>

#include "com/Module.h"
#include "platform/envserver/EnvironmentFacts.h"
#include "platform/envserver/NamedValueStore.h"
#include "platform/envserver/SuiteLanguage.h"

namespace envserver {

namespace {

HRESULT ReturnText(const std::wstring& text, BSTR* result)
{
    if (result == nullptr) {
        return E_POINTER;
    }
    *result = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *result != nullptr ? S_OK : E_OUTOFMEMORY;
}

// For facts that may fail: the text on success, the failure otherwise.
template <class Read>
HRESULT ReturnRead(BSTR* result, Read read)
{
    if (result == nullptr) {
        return E_POINTER;
    }
    *result = nullptr;
    try {
        std::wstring text;
        const HRESULT hr = read(text);
        return FAILED(hr) ? hr : ReturnText(text, result);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

template <class T>
HRESULT ReturnValue(T value, T* result)
{
    if (result == nullptr) {
        return E_POINTER;
    }
    *result = value;
    return S_OK;
}

HRESULT ReturnFlag(bool value, VARIANT_BOOL* result)
{
    return ReturnValue<VARIANT_BOOL>(value ? VARIANT_TRUE : VARIANT_FALSE, result);
}

HRESULT ReturnSuiteString(const wchar_t* name, BSTR* result)
{
    return ReturnRead(result, [name](std::wstring& text) {
        text = ReadSuiteString(name);
        return S_OK;
    });
}

HRESULT ReturnShellFolder(int csidl, const wchar_t* relative, BSTR* result)
{
    return ReturnRead(result, [=](std::wstring& text) { return ShellFolder(csidl, relative, text); });
}

HRESULT ReturnInstallationFolder(const wchar_t* relative, BSTR* result)
{
    return ReturnRead(result, [relative](std::wstring& text) {
        text = InstallationSubfolder(relative);
        return S_OK;
    });
}

}  // namespace

HRESULT CEnvironmentServer::GetInstallationPath(BSTR* path)
{
    return ReturnSuiteString(L"InstallationPath", path);
}

HRESULT CEnvironmentServer::GetLogonUserName(BSTR* name)
{
    return ReturnRead(name, LogonUserName);
}

HRESULT CEnvironmentServer::GetLanguage(short* language)
{
    return ReturnValue(static_cast<short>(ReadSuiteLanguage()), language);
}

HRESULT CEnvironmentServer::SetLanguage(short language)
{
    return WriteSuiteLanguage(static_cast<LANGID>(language));
}

HRESULT CEnvironmentServer::GetLanguageCode(BSTR* code)
{
    return ReturnRead(code, [](std::wstring& text) {
        text = SuiteLanguageCode(ReadSuiteLanguage());
        return S_OK;
    });
}

HRESULT CEnvironmentServer::GetSystemLanguage(short* language)
{
    return ReturnValue(static_cast<short>(GetSystemDefaultUILanguage()), language);
}

HRESULT CEnvironmentServer::GetSuiteVersion(BSTR* version)
{
    return ReturnRead(
        version, [](std::wstring& text) { return FileVersion(tolv::com::Module::Instance().GetModulePath(), text); });
}

HRESULT CEnvironmentServer::GetWindowsVersion(BSTR* version)
{
    return ReturnRead(version, WindowsVersion);
}

HRESULT CEnvironmentServer::GetMachineName(BSTR* name)
{
    return ReturnRead(name, MachineName);
}

HRESULT CEnvironmentServer::GetBinFolder(BSTR* path)
{
    return ReturnInstallationFolder(L"\\Bin", path);
}

HRESULT CEnvironmentServer::GetLanguagesFolder(BSTR* path)
{
    return ReturnInstallationFolder(L"\\Bin\\Languages", path);
}

HRESULT CEnvironmentServer::GetTempFolder(BSTR* path)
{
    return ReturnRead(path, TempFolder);
}

HRESULT CEnvironmentServer::GetUserDataFolder(BSTR* path)
{
    return ReturnShellFolder(CSIDL_APPDATA, L"\\Vostrel\\Pellary", path);
}

HRESULT CEnvironmentServer::GetCommonDataFolder(BSTR* path)
{
    return ReturnShellFolder(CSIDL_COMMON_APPDATA, L"\\Vostrel\\Pellary", path);
}

HRESULT CEnvironmentServer::GetDocumentsFolder(BSTR* path)
{
    return ReturnShellFolder(CSIDL_PERSONAL, nullptr, path);
}

HRESULT CEnvironmentServer::GetMusicFolder(BSTR* path)
{
    return ReturnShellFolder(CSIDL_MYMUSIC, nullptr, path);
}

HRESULT CEnvironmentServer::GetPicturesFolder(BSTR* path)
{
    return ReturnShellFolder(CSIDL_MYPICTURES, nullptr, path);
}

HRESULT CEnvironmentServer::GetStartupFolder(BSTR* path)
{
    return ReturnShellFolder(CSIDL_COMMON_STARTUP, nullptr, path);
}

HRESULT CEnvironmentServer::GetProgramFilesFolder(BSTR* path)
{
    return ReturnShellFolder(CSIDL_PROGRAM_FILES, nullptr, path);
}

HRESULT CEnvironmentServer::GetDatabasePath(BSTR* path)
{
    return ReturnSuiteString(L"DBPathBasic", path);
}

HRESULT CEnvironmentServer::GetTraceFlag(long* flag)
{
    return ReturnValue(static_cast<long>(ReadSuiteNumber(L"TraceInfoFlag")), flag);
}

HRESULT CEnvironmentServer::GetTracePath(BSTR* path)
{
    return ReturnSuiteString(L"TraceInfoPath", path);
}

HRESULT CEnvironmentServer::GetTraceFileSizeLimit(long* kilobytes)
{
    return ReturnValue(static_cast<long>(ReadSuiteNumber(L"TraceFileSizeLimitInKb")), kilobytes);
}

HRESULT CEnvironmentServer::GetAnsiCodePage(long* codePage)
{
    return ReturnValue(static_cast<long>(GetACP()), codePage);
}

HRESULT CEnvironmentServer::GetOemCodePage(long* codePage)
{
    return ReturnValue(static_cast<long>(GetOEMCP()), codePage);
}

HRESULT CEnvironmentServer::GetTimeZoneBias(long* minutes)
{
    return ReturnValue(TimeZoneBiasMinutes(), minutes);
}

HRESULT CEnvironmentServer::GetProcessorCount(long* count)
{
    return ReturnValue(ProcessorCount(), count);
}

HRESULT CEnvironmentServer::GetPhysicalMemory(long* megabytes)
{
    return ReturnValue(PhysicalMemoryMegabytes(), megabytes);
}

HRESULT CEnvironmentServer::IsWindows64Bit(VARIANT_BOOL* answer)
{
    return ReturnFlag(envserver::IsWindows64Bit(), answer);
}

HRESULT CEnvironmentServer::GetScreenDpi(long* dpi)
{
    return ReturnValue(ScreenDpi(), dpi);
}

HRESULT CEnvironmentServer::IsUserAdministrator(VARIANT_BOOL* answer)
{
    return ReturnFlag(IsUserAnAdmin() != FALSE, answer);
}

HRESULT CEnvironmentServer::ExpandPath(BSTR path, BSTR* expanded)
{
    return ReturnRead(expanded, [path](std::wstring& text) { return ExpandEnvironment(path ? path : L"", text); });
}

HRESULT CEnvironmentServer::GetVariable(BSTR name, BSTR* value)
{
    return ReturnRead(value, [name](std::wstring& text) { return EnvironmentVariable(name, text); });
}

// The licensing, update and phone services belong to editions of the suite that this
// service does not stand for.
HRESULT CEnvironmentServer::GetProductKey(BSTR* key)
{
    if (key != nullptr) {
        *key = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT CEnvironmentServer::GetLicenseState(long*)
{
    return E_NOTIMPL;
}

HRESULT CEnvironmentServer::CheckForUpdates(VARIANT_BOOL*)
{
    return E_NOTIMPL;
}

HRESULT CEnvironmentServer::GetActivePhoneName(BSTR* name)
{
    if (name != nullptr) {
        *name = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT CEnvironmentServer::GetHelpFile(BSTR* path)
{
    if (path != nullptr) {
        *path = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT CEnvironmentServer::GetValueCount(long* count)
{
    return ReturnValue(CNamedValueStore::Shared().Count(), count);
}

HRESULT CEnvironmentServer::GetValueName(long index, BSTR* name)
{
    return ReturnRead(name, [index](std::wstring& text) { return CNamedValueStore::Shared().NameAt(index, text); });
}

HRESULT CEnvironmentServer::HasValue(BSTR name, VARIANT_BOOL* kept)
{
    return ReturnFlag(CNamedValueStore::Shared().Has(name), kept);
}

HRESULT CEnvironmentServer::SetValue(BSTR name, VARIANT value)
{
    return CNamedValueStore::Shared().Set(name, value);
}

HRESULT CEnvironmentServer::GetValue(BSTR name, VARIANT* value)
{
    return CNamedValueStore::Shared().Get(name, value);
}

HRESULT CEnvironmentServer::RemoveValue(BSTR name)
{
    return CNamedValueStore::Shared().Remove(name);
}

}  // namespace envserver
