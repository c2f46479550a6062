// envserver.exe: the suite's EnvironmentServer as a COM local server.
//   envserver /RegServer     registers the class, its ProgIDs and the type library
//   envserver /UnregServer   removes them
//   envserver -Embedding     (started by COM) serves clients until the last one has gone
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "EnvironmentServer.h"
#include "com/ClassFactory.h"
#include "com/ComInit.h"
#include "com/IdleEndingModule.h"
#include "com/DispatchImpl.h"
#include "com/RegistryScript.h"
#include "com/StubRegistrationKeeper.h"
#include "com/TypeLibRegistration.h"
#include "platform/envserver/EnvServerResources.h"
#include "platform/envserver/EnvironmentServerObject.h"

namespace {

enum class Command { Serve, Register, Unregister, Unknown };

struct ArgvFreer {
    void operator()(LPWSTR* argv) const noexcept { LocalFree(argv); }
};

Command ReadCommand()
{
    int count = 0;
    const std::unique_ptr<LPWSTR, ArgvFreer> argv(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!argv || count < 2) {
        return Command::Serve;
    }
    const wchar_t* word = argv.get()[1];
    if (*word == L'/' || *word == L'-') {
        ++word;
    }
    if (_wcsicmp(word, L"RegServer") == 0) {
        return Command::Register;
    }
    if (_wcsicmp(word, L"UnregServer") == 0) {
        return Command::Unregister;
    }
    if (_wcsicmp(word, L"Embedding") == 0 || _wcsicmp(word, L"Automation") == 0) {
        return Command::Serve;
    }
    return Command::Unknown;
}

HRESULT Register(HMODULE module)
{
    RETURN_IF_FAILED(tolv::com::RegisterTypeLibFromModule(module));
    return tolv::com::RunRegistryScript(module, IDR_ENVIRONMENTSERVER, true);
}

HRESULT Unregister(HMODULE module)
{
    const HRESULT script = tolv::com::RunRegistryScript(module, IDR_ENVIRONMENTSERVER, false);
    const HRESULT library = tolv::com::UnregisterTypeLibFromModule(module);
    return FAILED(script) ? script : library;
}

HRESULT Serve(tolv::com::IdleEndingModule& module)
{
    if (!module.IsReady()) {
        return E_OUTOFMEMORY;
    }
    tolv::com::ClassObjectTable classes{
        tolv::com::ClassEntryFor<envserver::CEnvironmentServer>(CLSID_EnvironmentServer)};
    // Clients come and go all the time; see the keeper for why their interfaces stay registered.
    tolv::com::stub_registration_keeper servedInterfaces;
    servedInterfaces.keep({IID_IEnvironmentServer, IID_IDispatch, IID_ISupportErrorInfo});
    RETURN_IF_FAILED(classes.RegisterClassObjects());
    RETURN_IF_FAILED(tolv::com::ClassObjectTable::ResumeClassObjects());
    module.ServeUntilIdle(classes);
    return S_OK;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const tolv::com::com_init com(COINIT_MULTITHREADED);
    if (!com.succeeded()) {
        return static_cast<int>(com.result());
    }
    // Two seconds without a client before the server ends, for a client that comes right back.
    tolv::com::IdleEndingModule module(2000);
    HRESULT hr = E_INVALIDARG;
    switch (ReadCommand()) {
    case Command::Register:
        hr = Register(instance);
        break;
    case Command::Unregister:
        hr = Unregister(instance);
        break;
    case Command::Serve:
        hr = Serve(module);
        break;
    case Command::Unknown:
        break;
    }
    tolv::com::ClearTypeInfoCache();
    return SUCCEEDED(hr) ? 0 : static_cast<int>(hr);
}
