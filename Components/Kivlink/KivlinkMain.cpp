// Kivlink's process: registration from the command line, or the server's life.
#include "classes/KivlinkGeneral.h"
#include "classes/KivlinkMobilePhone.h"
#include "classes/KivlinkMobilePhone2.h"
#include "classes/PhoneServerSymbian.h"
#include "core/KivlinkModule.h"
#include "KivlinkCommandLine.h"

#include "com/ComInit.h"
#include "KivlinkRegistration.h"

#include "com/ClassFactory.h"
#include "com/StubRegistrationKeeper.h"

#include <windows.h>

namespace {

constexpr DWORD CLASS_OBJECTS_SETTLE_MS = 200;
constexpr DWORD REVOKE_DELAY_MS = 1000;

int RunServer(CExeModule& module)
{
    // Object map order.
    tolv::com::ClassObjectTable classes{
        tolv::com::ClassEntryFor<CPhoneServerSymbian>(CLSID_PhoneServerSymbian),
        tolv::com::ClassEntryFor<CKivlinkGeneral>(CLSID_KivGeneral),
        tolv::com::ClassEntryFor<CKivlinkMobilePhone>(CLSID_KivMobilePhone),
        tolv::com::ClassEntryFor<CKivlinkMobilePhone2>(CLSID_KivVolume2),
    };
    module.SetCloseHook(
        [](void* context) {
            // The module's main thread: it joins the process's apartment for the revoke.
            tolv::com::com_init com(COINIT_MULTITHREADED);
            static_cast<tolv::com::ClassObjectTable*>(context)->RevokeClassObjects();
        },
        &classes);
    // What clients call: a missing one only leaves that interface exposed to the lost
    // wake-up, so the server starts all the same.
    tolv::com::stub_registration_keeper servedInterfaces;
    servedInterfaces.keep({IID_IKivGeneral, IID_IPhoneServer, IID_IKivVolume, IID_IKivVolume2, IID_IDcoMSG,
                           IID_IDcoMMSCommunicator, IID_IKivAB, IID_IDispatch, IID_ISupportErrorInfo,
                           IID_IConnectionPointContainer, IID_IConnectionPoint, IID_IEnumConnections,
                           IID_IEnumConnectionPoints});
    HRESULT hr = module.StartModule(GetCurrentThreadId());
    if (FAILED(hr))
        return static_cast<int>(hr);
    Sleep(CLASS_OBJECTS_SETTLE_MS);
    hr = classes.RegisterClassObjects(CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE | REGCLS_SUSPENDED);
    if (SUCCEEDED(hr))
        hr = tolv::com::ClassObjectTable::ResumeClassObjects();
    if (FAILED(hr)) {
        // The main thread must not go on with a server nobody can reach.
        SetEvent(module.StopEvent());
        module.WaitForMainThread();
        return static_cast<int>(hr);
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);

    classes.RevokeClassObjects();
    Sleep(REVOKE_DELAY_MS);
    module.WaitForMainThread();
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(hr))
        return static_cast<int>(hr);
    int exitCode = 0;
    {
        CExeModule module(instance);
        switch (ParseKivlinkCommandLine(GetCommandLineW())) {
        case KivlinkCommand::Register:
            exitCode = static_cast<int>(RegisterKivlink(instance));
            break;
        case KivlinkCommand::Unregister:
            exitCode = static_cast<int>(UnregisterKivlink(instance));
            break;
        case KivlinkCommand::RunServer:
            exitCode = RunServer(module);
            break;
        }
    }
    CoUninitialize();
    return exitCode;
}
