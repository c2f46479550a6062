// Tunepane.dll's entry points: its three classes for the host and the scheduler, and their
// registration (regsvr32) with the type library and the host's and scheduler's list entries.
#include <windows.h>
#include <ole2.h>

#include "com/ClassFactory.h"
#include "com/Module.h"
#include "plugins/common/LibraryEntryPoints.h"
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
    return tolv::plugins::CanUnloadLibrary();
}

STDAPI DllRegisterServer()
{
    return tolv::plugins::RegisterLibrary(g_module.GetInstance(), TUNEPANE_IDR_REGISTRY);
}

STDAPI DllUnregisterServer()
{
    return tolv::plugins::UnregisterLibrary(g_module.GetInstance(), TUNEPANE_IDR_REGISTRY);
}
