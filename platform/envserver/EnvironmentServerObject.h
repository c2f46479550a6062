// The EnvironmentServer COM object: a thin dual-interface face over the suite language, the
// environment facts and the shared named values.
#pragma once

#include "EnvironmentServer.h"
#include "com/DispatchImpl.h"
#include "com/ComObject.h"

namespace envserver {

inline constexpr tolv::com::TypeLibrary kEnvironmentServerLibrary{&LIBID_EnvironmentServerLib, 1, 0};

class CEnvironmentServer : public tolv::com::DispatchImpl<IEnvironmentServer, kEnvironmentServerLibrary> {
public:
    using interface_map =
        tolv::com::interface_map<IEnvironmentServer, tolv::com::entry_via<IDispatch, IEnvironmentServer>>;

    HRESULT STDMETHODCALLTYPE GetInstallationPath(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetLogonUserName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetLanguage(short* language) override;
    HRESULT STDMETHODCALLTYPE SetLanguage(short language) override;
    HRESULT STDMETHODCALLTYPE GetLanguageCode(BSTR* code) override;
    HRESULT STDMETHODCALLTYPE GetSystemLanguage(short* language) override;
    HRESULT STDMETHODCALLTYPE GetSuiteVersion(BSTR* version) override;
    HRESULT STDMETHODCALLTYPE GetWindowsVersion(BSTR* version) override;
    HRESULT STDMETHODCALLTYPE GetMachineName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetBinFolder(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetLanguagesFolder(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetTempFolder(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetUserDataFolder(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetCommonDataFolder(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetDocumentsFolder(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetMusicFolder(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetPicturesFolder(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetStartupFolder(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetProgramFilesFolder(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetDatabasePath(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetTraceFlag(long* flag) override;
    HRESULT STDMETHODCALLTYPE GetTracePath(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetTraceFileSizeLimit(long* kilobytes) override;
    HRESULT STDMETHODCALLTYPE GetAnsiCodePage(long* codePage) override;
    HRESULT STDMETHODCALLTYPE GetOemCodePage(long* codePage) override;
    HRESULT STDMETHODCALLTYPE GetTimeZoneBias(long* minutes) override;
    HRESULT STDMETHODCALLTYPE GetProcessorCount(long* count) override;
    HRESULT STDMETHODCALLTYPE GetPhysicalMemory(long* megabytes) override;
    HRESULT STDMETHODCALLTYPE IsWindows64Bit(VARIANT_BOOL* answer) override;
    HRESULT STDMETHODCALLTYPE GetScreenDpi(long* dpi) override;
    HRESULT STDMETHODCALLTYPE IsUserAdministrator(VARIANT_BOOL* answer) override;
    HRESULT STDMETHODCALLTYPE ExpandPath(BSTR path, BSTR* expanded) override;
    HRESULT STDMETHODCALLTYPE GetVariable(BSTR name, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE GetProductKey(BSTR* key) override;
    HRESULT STDMETHODCALLTYPE GetLicenseState(long* state) override;
    HRESULT STDMETHODCALLTYPE CheckForUpdates(VARIANT_BOOL* available) override;
    HRESULT STDMETHODCALLTYPE GetActivePhoneName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetValueCount(long* count) override;
    HRESULT STDMETHODCALLTYPE GetValueName(long index, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE HasValue(BSTR name, VARIANT_BOOL* kept) override;
    HRESULT STDMETHODCALLTYPE SetValue(BSTR name, VARIANT value) override;
    HRESULT STDMETHODCALLTYPE GetValue(BSTR name, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE RemoveValue(BSTR name) override;
};

}  // namespace envserver
