// hostsampleplugin.dll: the sample plug-in as an in-process COM server, registered like the
// suite's plug-ins; the tests list it under the host's plug-ins key themselves.
#include <windows.h>

#include "com/ClassFactory.h"
#include "com/Module.h"
#include "com/RegistryScript.h"
#include "tests/host/SamplePlugIn.h"
#include "tests/host/SamplePlugInClass.h"
#include "tests/host/SamplePlugInResources.h"

namespace {

tolv::com::Module g_module;

const tolv::com::ClassObjectTable& Classes()
{
    static const tolv::com::ClassObjectTable classes{tolv::com::ClassEntryFor<CSamplePlugIn>(kSamplePlugInClsid)};
    return classes;
}

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** result)
{
    return Classes().GetClassObject(clsid, iid, result);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow(void)
{
    return tolv::com::ClassObjectTable::CanUnloadNow();
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer(void)
{
    return tolv::com::RunRegistryScript(g_module.GetInstance(), IDR_SAMPLE_PLUGIN_REGISTRY, true);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer(void)
{
    return tolv::com::RunRegistryScript(g_module.GetInstance(), IDR_SAMPLE_PLUGIN_REGISTRY, false);
}
