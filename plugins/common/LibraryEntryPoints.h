#pragma once
// What the plug-in libraries' exported entry points do, written once: each library exports
// DllGetClassObject, DllCanUnloadNow, DllRegisterServer and DllUnregisterServer and passes
// them on here with its own class table and registry script.
#include <windows.h>

namespace tolv::plugins {

// S_OK when no object or lock of the library is left; the cached type information then goes
// while COM still runs, not at the library's unloading.
HRESULT CanUnloadLibrary() noexcept;
// The library's type library, then its registry script (classes and the host's and
// scheduler's list entries).
HRESULT RegisterLibrary(HMODULE module, UINT registryScriptId) noexcept;
// Both again; the first failure is the result, but both are tried.
HRESULT UnregisterLibrary(HMODULE module, UINT registryScriptId) noexcept;

}  // namespace tolv::plugins
