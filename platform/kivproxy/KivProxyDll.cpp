// KivProxyServer.dll's entry points: its one class, and its registration (regsvr32,
// scripts/register) with the type library it carries.
#include <windows.h>
#include <ole2.h>

#include "com/ClassFactory.h"
#include "com/DispatchImpl.h"
#include "com/Module.h"
#include "com/RegistryScript.h"
#include "com/TypeLibRegistration.h"
#include "platform/kivproxy/KivProxyResources.h"
#include "platform/kivproxy/KivProxyServer.h"

namespace {

tolv::com::Module g_module;

const tolv::com::ClassObjectTable& Classes()
{
    static const tolv::com::ClassObjectTable classes{
        tolv::com::ClassEntryFor<kivproxy::CKivProxyServer>(CLSID_KivProxyServer)};
    return classes;
}

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** result)
{
    return Classes().GetClassObject(clsid, iid, result);
}

STDAPI DllCanUnloadNow()
{
    const HRESULT hr = tolv::com::ClassObjectTable::CanUnloadNow();
    if (hr == S_OK) {
        // The type information goes while COM still runs, not at the library's unloading.
        tolv::com::ClearTypeInfoCache();
    }
    return hr;
}

STDAPI DllRegisterServer()
{
    const HMODULE module = g_module.GetInstance();
    RETURN_IF_FAILED(tolv::com::RegisterTypeLibFromModule(module));
    return tolv::com::RunRegistryScript(module, IDR_KIVPROXYSERVER, true);
}

STDAPI DllUnregisterServer()
{
    const HMODULE module = g_module.GetInstance();
    const HRESULT script = tolv::com::RunRegistryScript(module, IDR_KIVPROXYSERVER, false);
    const HRESULT library = tolv::com::UnregisterTypeLibFromModule(module);
    return FAILED(script) ? script : library;
}
