#include "com/RegistryScript.h"

#include <string>

#include <objbase.h>

// The registrar's GUIDs are defined here, once.
#define ATL_INITGUID
#include "atliface.h"

#include "com/ComPtr.h"
#include "com/HResult.h"
#include "com/Module.h"

namespace tolv::com {

namespace {

HRESULT CreateRegistrar(com_ptr<IRegistrar>& result) noexcept
{
    const HRESULT hr =
        CoCreateInstance(CLSID_Registrar, nullptr, CLSCTX_INPROC_SERVER, IID_IRegistrar, result.put_void());
    if (SUCCEEDED(hr)) {
        return hr;
    }
    // Where the class is not registered, atl.dll still serves it directly. The library stays
    // loaded for the rest of the process.
    HMODULE atl = LoadLibraryW(L"atl.dll");
    RETURN_HR_IF_NULL(hr, atl);
    auto getClassObject =
        reinterpret_cast<LPFNGETCLASSOBJECT>(reinterpret_cast<void (*)()>(GetProcAddress(atl, "DllGetClassObject")));
    RETURN_HR_IF_NULL(hr, getClassObject);
    com_ptr<IClassFactory> factory;
    RETURN_IF_FAILED(getClassObject(CLSID_Registrar, IID_IClassFactory, factory.put_void()));
    return factory->CreateInstance(nullptr, IID_IRegistrar, result.put_void());
}

std::wstring EscapeApostrophes(const wchar_t* value)
{
    std::wstring escaped;
    for (const wchar_t* character = value; *character != L'\0'; ++character) {
        escaped += *character;
        if (*character == L'\'') {
            escaped += L'\'';
        }
    }
    return escaped;
}

HRESULT PrepareRegistrar(HMODULE module, std::initializer_list<ScriptReplacement> extra, com_ptr<IRegistrar>& registrar,
                         std::wstring& modulePath) noexcept
{
    try {
        modulePath = GetModuleFilePath(module);
        RETURN_LAST_ERROR_IF(modulePath.empty());
        RETURN_IF_FAILED(CreateRegistrar(registrar));
        RETURN_IF_FAILED(registrar->AddReplacement(L"MODULE", EscapeApostrophes(modulePath.c_str()).c_str()));
        for (const ScriptReplacement& replacement : extra) {
            RETURN_HR_IF(E_INVALIDARG, replacement.key == nullptr || replacement.value == nullptr);
            RETURN_IF_FAILED(registrar->AddReplacement(replacement.key, EscapeApostrophes(replacement.value).c_str()));
        }
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace

HRESULT RunRegistryScript(HMODULE module, UINT resourceId, bool registering,
                          std::initializer_list<ScriptReplacement> extra) noexcept
{
    com_ptr<IRegistrar> registrar;
    std::wstring modulePath;
    RETURN_IF_FAILED(PrepareRegistrar(module, extra, registrar, modulePath));
    if (registering) {
        return registrar->ResourceRegister(modulePath.c_str(), resourceId, L"REGISTRY");
    }
    return registrar->ResourceUnregister(modulePath.c_str(), resourceId, L"REGISTRY");
}

HRESULT RunRegistryScriptText(const wchar_t* script, bool registering, HMODULE module,
                              std::initializer_list<ScriptReplacement> extra) noexcept
{
    RETURN_HR_IF_NULL(E_POINTER, script);
    com_ptr<IRegistrar> registrar;
    std::wstring modulePath;
    RETURN_IF_FAILED(PrepareRegistrar(module, extra, registrar, modulePath));
    return registering ? registrar->StringRegister(script) : registrar->StringUnregister(script);
}

}  // namespace tolv::com
