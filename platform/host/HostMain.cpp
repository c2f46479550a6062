// PellaryHost.exe: the stand-in for the host application that loads the suite's plug-ins;
// see HostProtocol.h for how to drive it and README.md.
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "com/ComInit.h"
#include "com/DispatchImpl.h"
#include "com/TypeLibRegistration.h"
#include "platform/host/HostApplication.h"
#include "platform/host/HostCommandLine.h"
#include "platform/host/HostProtocol.h"
#include "platform/host/HostWindow.h"
#include "platform/host/PlugInRegistry.h"
#include "platform/host/PlugInSet.h"
#include "platform/pageframe/PageFrameWindow.h"
#include "platform/pageframe/PageList.h"
#include "platform/pageframe/ProgramConsole.h"

namespace {

using namespace host;
using pageframe::ProgramArguments;
using pageframe::ReportOnStandardError;

constexpr wchar_t kUsage[] = L"usage: PellaryHost [--page NAME] [--press NAME [--press-timeout MS]]\n"
                             L"       PellaryHost /RegServer | /UnregServer\n";

size_t FirstPageOf(const CPlugInSet& plugIns, const std::wstring& name)
{
    const size_t index = name.empty() ? plugIns.size() : plugIns.IndexOf(name);
    if (index == plugIns.size()) {
        return 0;
    }
    return plugIns.PlugIns()[index].firstPage;
}

int RunHost(HINSTANCE instance, const HostCommandLine& command)
{
    pageframe::CPageList pages;
    CPlugInSet plugIns(pages);
    tolv::com::com_ptr<tolv::com::ComObject<CHostApplication>> application;
    if (FAILED(tolv::com::ComObject<CHostApplication>::Create(application, &plugIns))) {
        return kExitWindowFailed;
    }
    plugIns.ConnectAll(ReadPlugInEntries(HKEY_CURRENT_USER, kPlugInsKey),
                       static_cast<IHostApplication*>(application.get()));
    plugIns.CollectPages(static_cast<IHostPageCollector*>(application.get()));

    int exitCode = kExitWindowFailed;
    {
        CHostWindow window(plugIns, PressRequest{command.pressPlugIn, command.pressTimeoutMs});
        pageframe::CPageFrameWindow frame(
            pages, pageframe::FrameOptions{IDD_HOST_WINDOW, FirstPageOf(plugIns, command.firstPagePlugIn), &window});
        window.AttachFrame(frame);
        if (SUCCEEDED(frame.Create(instance))) {
            exitCode = frame.Run();
        } else {
            ReportOnStandardError(L"PellaryHost: the window could not be opened\n");
        }
        window.StopWatchingPhone();
        plugIns.DisconnectAll();
        window.WaitForPhoneQuestion();
    }
    application->Detach();
    return exitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    HostCommandLine command;
    std::wstring bad;
    if (!ParseHostCommandLine(ProgramArguments(), command, bad)) {
        ReportOnStandardError(bad.empty() ? std::wstring(kUsage)
                                          : L"PellaryHost: unknown argument: " + bad + L"\n" + kUsage);
        return kExitUsage;
    }
    if (command.command == HostCommand::Register) {
        return SUCCEEDED(tolv::com::RegisterTypeLibFromModule(instance)) ? kExitClosed : kExitRegistrationFailed;
    }
    if (command.command == HostCommand::Unregister) {
        return SUCCEEDED(tolv::com::UnregisterTypeLibFromModule(instance)) ? kExitClosed : kExitRegistrationFailed;
    }
    const tolv::com::com_init com(COINIT_APARTMENTTHREADED);
    if (!com.succeeded()) {
        return kExitNoCom;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const int exitCode = RunHost(instance, command);
    // The type information the host object read is let go while COM is still there.
    tolv::com::ClearTypeInfoCache();
    return exitCode;
}
