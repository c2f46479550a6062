// samplepage.dll: the sample page as an in-process COM server, registered like the plug-ins'
// pages so that frames create it by its class identifier.
#include <windows.h>

#include "com/ClassFactory.h"
#include "com/Module.h"
#include "com/RegistryScript.h"
#include "tests/pagebase/SamplePage.h"
#include "tests/pagebase/SamplePageClass.h"

namespace {

tolv::com::Module g_module;

const tolv::com::ClassObjectTable& Classes()
{
    static const tolv::com::ClassObjectTable classes{tolv::com::ClassEntryFor<CSamplePage>(kSamplePageClsid)};
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
    return tolv::com::RunRegistryScript(g_module.GetInstance(), IDR_SAMPLE_PAGE_REGISTRY, true);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer(void)
{
    return tolv::com::RunRegistryScript(g_module.GetInstance(), IDR_SAMPLE_PAGE_REGISTRY, false);
}
