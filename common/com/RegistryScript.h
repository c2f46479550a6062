// Registry scripts (.rgs) run through the system's ATL registrar (CLSID_Registrar).
//
// Every script gets the replacement "MODULE" (the module's full path); values are given
// to the registrar with apostrophes doubled, so that a path such as C:\Bob's\x.exe stays
// one quoted string in the script.
#pragma once

#include <initializer_list>

#include <windows.h>

namespace tolv::com {

struct ScriptReplacement {
    const wchar_t* key;
    const wchar_t* value;
};

// Runs the resource of type "REGISTRY" with `resourceId` held by `module`, for
// registration or, with `registering` false, unregistration.
HRESULT RunRegistryScript(HMODULE module, UINT resourceId, bool registering,
                          std::initializer_list<ScriptReplacement> extra = {}) noexcept;

// Runs script text given in memory; "MODULE" is the path of `module`.
HRESULT RunRegistryScriptText(const wchar_t* script, bool registering, HMODULE module,
                              std::initializer_list<ScriptReplacement> extra = {}) noexcept;

}  // namespace tolv::com
