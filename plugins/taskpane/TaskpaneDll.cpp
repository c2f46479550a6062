// Taskpane.dll's entry points. Its classes (the task list page and the task runner) are still
// to come; until then it registers the type library of the task contract, which the task
// adapters of the other plug-ins answer late-bound callers from.
#include <windows.h>
#include <ole2.h>

#include "com/HResult.h"
#include "com/Module.h"
#include "com/TypeLibRegistration.h"

namespace {

tolv::com::Module g_module;

}  // namespace

STDAPI DllGetClassObject(REFCLSID, REFIID, void** result)
{
    if (result == nullptr) {
        return E_POINTER;
    }
    *result = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow()
{
    return S_OK;
}

STDAPI DllRegisterServer()
{
    return tolv::com::RegisterTypeLibFromModule(g_module.GetInstance());
}

STDAPI DllUnregisterServer()
{
    return tolv::com::UnregisterTypeLibFromModule(g_module.GetInstance());
}
