// Tunepane.dll's entry points: its three classes for the host and the scheduler, and their
// registration (regsvr32) with the type library and the host's and scheduler's list entries.
#include <windows.h>
#include <ole2.h>

#include "com/ClassFactory.h"
#include "com/DispatchImpl.h"
#include "com/Module.h"
#include "com/RegistryScript.h"
#include "com/TypeLibRegistration.h"
#include "plugins/tunepane/TunepaneClasses.h"
#include "plugins/tunepane/res/TunepaneResources.h"

namespace {

tolv::com::Module g_module;

const tolv::com::ClassObjectTable& Classes()
{
    static const tolv::com::ClassObjectTable classes{
        tolv::com::ClassEntryFor<tolv::tunepane::CTunepaneCommands>(CLSID_TunepaneCommands),
        tolv::com::ClassEntryFor<tolv::tunepane::CTolvTunepanePlugIn>(CLSID_TolvTunepanePlugIn),
        tolv::com::ClassEntryFor<tolv::tunepane::CMp3PlugIntoScheduler>(CLSID_Mp3PlugIntoScheduler)};
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
    return tolv::com::RunRegistryScript(module, TUNEPANE_IDR_REGISTRY, true);
}

STDAPI DllUnregisterServer()
{
    const HMODULE module = g_module.GetInstance();
    const HRESULT script = tolv::com::RunRegistryScript(module, TUNEPANE_IDR_REGISTRY, false);
    const HRESULT library = tolv::com::UnregisterTypeLibFromModule(module);
    return FAILED(script) ? script : library;
}
