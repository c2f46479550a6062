// Photopane.dll's entry points: its three classes for the host and the scheduler, and their
// registration (regsvr32) with the type library and the host's and scheduler's list entries.
#include <windows.h>
#include <ole2.h>

#include "com/ClassFactory.h"
#include "com/Module.h"
#include "plugins/common/LibraryEntryPoints.h"
#include "plugins/photopane/PhotopaneClasses.h"
#include "plugins/photopane/res/PhotopaneResources.h"

namespace {

tolv::com::Module g_module;

const tolv::com::ClassObjectTable& Classes()
{
    static const tolv::com::ClassObjectTable classes{
        tolv::com::ClassEntryFor<tolv::photopane::CPhotopaneCommands>(CLSID_PhotopaneCommands),
        tolv::com::ClassEntryFor<tolv::photopane::CPhotopanePlugIn>(CLSID_PhotopanePlugIn),
        tolv::com::ClassEntryFor<tolv::photopane::CPicturesPlugInToScheduler>(CLSID_PicturesPlugInToScheduler)};
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
    return tolv::plugins::RegisterLibrary(g_module.GetInstance(), PHOTOPANE_IDR_REGISTRY);
}

STDAPI DllUnregisterServer()
{
    return tolv::plugins::UnregisterLibrary(g_module.GetInstance(), PHOTOPANE_IDR_REGISTRY);
}
