// Registration installs the router with its ports (regsvr32, scripts/register), every port
// disabled; unregistration removes it, after which InitSMRouterContoller fails.
#include <windows.h>

#include "platform/smrouter/RouterPortStore.h"

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer(void)
{
    return smrouter::CRouterPortStore::Install();
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer(void)
{
    return smrouter::CRouterPortStore::Uninstall();
}
