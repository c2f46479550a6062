// phonesim.exe: the phone simulator's COM server and its own control tool (see HelpText).
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "SymbianConnect.h"
#include "com/ClassFactory.h"
#include "com/ComInit.h"
#include "com/IdleEndingModule.h"
#include "com/DispatchImpl.h"
#include "com/RegistryScript.h"
#include "com/StubRegistrationKeeper.h"
#include "com/TypeLibRegistration.h"
#include "platform/phonesim/CallCounter.h"
#include "platform/phonesim/CommandLine.h"
#include "platform/phonesim/ConsoleOutput.h"
#include "platform/phonesim/ControlCommands.h"
#include "platform/phonesim/MessageCentreObject.h"
#include "platform/phonesim/PhoneSimControlObject.h"
#include "platform/phonesim/PhoneSimResources.h"
#include "platform/phonesim/PortsCommand.h"
#include "platform/phonesim/ScApplication.h"
#include "platform/phonesim/SimWorld.h"

namespace {

constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

struct ArgvFreer {
    void operator()(LPWSTR* argv) const noexcept { LocalFree(argv); }
};

std::vector<std::wstring> Arguments()
{
    int count = 0;
    const std::unique_ptr<LPWSTR, ArgvFreer> argv(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::wstring> arguments;
    for (int index = 1; argv && index < count; ++index) {
        arguments.emplace_back(argv.get()[index]);
    }
    return arguments;
}

HRESULT Register(HMODULE module)
{
    RETURN_IF_FAILED(tolv::com::RegisterTypeLibFromModule(module));
    return tolv::com::RunRegistryScript(module, IDR_PHONESIM, true);
}

HRESULT Unregister(HMODULE module)
{
    const HRESULT script = tolv::com::RunRegistryScript(module, IDR_PHONESIM, false);
    const HRESULT library = tolv::com::UnregisterTypeLibFromModule(module);
    return FAILED(script) ? script : library;
}

HRESULT Serve(tolv::com::IdleEndingModule& module)
{
    if (!module.IsReady()) {
        return E_OUTOFMEMORY;
    }
    tolv::com::ClassObjectTable classes{
        tolv::com::ClassEntryFor<phonesim::CScApplication>(CLSID_SCApplication),
        tolv::com::ClassEntryFor<phonesim::CPhoneSimControl>(CLSID_PhoneSimControl),
        tolv::com::ClassEntryFor<phonesim::CMessageCentre>(CLSID_MessageCentre),
    };
    // Clients come and go all the time; see the keeper for why their interfaces stay registered.
    tolv::com::stub_registration_keeper servedInterfaces;
    servedInterfaces.keep({IID_ISCApplication, IID_ISCDeviceCollection, IID_ISCDevice, IID_ISCDriveCollection,
                           IID_ISCDrive, IID_ISCDriveSpace, IID_ISCFolder, IID_ISCFolderCollection,
                           IID_ISCFileCollection, IID_ISCFile, IID_ISCItem, IID_IPhoneSimControl, IID_IMessageCentre,
                           IID_IDispatch, IID_ISupportErrorInfo, IID_IConnectionPointContainer, IID_IConnectionPoint,
                           IID_IEnumConnections, IID_IEnumConnectionPoints});
    RETURN_IF_FAILED(phonesim::StartCountingCalls());
    RETURN_IF_FAILED(classes.RegisterClassObjects());
    RETURN_IF_FAILED(tolv::com::ClassObjectTable::ResumeClassObjects());
    module.ServeUntilIdle(classes);
    phonesim::CSimWorld::Instance().Shutdown();
    return S_OK;
}

int Report(HRESULT hr, const wchar_t* what)
{
    if (SUCCEEDED(hr)) {
        return 0;
    }
    wchar_t text[96];
    swprintf(text, 96, L"phonesim: %ls failed (0x%08lX)\n", what, static_cast<unsigned long>(hr));
    phonesim::WriteError(text);
    return kExitRefused;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    phonesim::Command command;
    std::wstring error;
    if (!phonesim::ParseCommandLine(Arguments(), command, error)) {
        phonesim::WriteError(L"phonesim: " + error + L"\nRun phonesim --help for the verbs.\n");
        return kExitUsage;
    }
    if (command.verb == phonesim::Verb::Help) {
        phonesim::WriteOutput(phonesim::HelpText());
        return 0;
    }
    const tolv::com::com_init com(COINIT_MULTITHREADED);
    if (!com.succeeded()) {
        return Report(com.result(), L"starting COM");
    }
    // Its locks: one per object handed to a client, per running long operation and per
    // connected phone. Two seconds without any before the server ends, for a client that
    // comes right back (a control command followed by Kivlink, say).
    tolv::com::IdleEndingModule module(2000);
    int exitCode = 0;
    switch (command.verb) {
    case phonesim::Verb::Register:
        exitCode = Report(Register(instance), L"registration");
        break;
    case phonesim::Verb::Unregister:
        exitCode = Report(Unregister(instance), L"unregistration");
        break;
    case phonesim::Verb::Serve:
        exitCode = Report(Serve(module), L"serving");
        break;
    default: {
        const phonesim::ControlResult result = command.verb == phonesim::Verb::Ports
                                                   ? phonesim::RunPortsCommand(command)
                                                   : phonesim::RunControlCommand(command);
        phonesim::WriteOutput(result.output);
        phonesim::WriteError(result.errors);
        exitCode = result.exitCode;
        break;
    }
    }
    tolv::com::ClearTypeInfoCache();
    return exitCode;
}
