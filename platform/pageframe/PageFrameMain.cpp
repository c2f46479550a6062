// pageframe.exe: shows registered property pages in a frame, as the host application shows
// the plug-ins' pages; see PageFrameProtocol.h for how to drive it and README.md.
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "com/ComInit.h"
#include "com/UniqueCoTaskMem.h"
#include "platform/pageframe/FrameCommandLine.h"
#include "platform/pageframe/PageFrameProtocol.h"
#include "platform/pageframe/PageFrameWindow.h"
#include "platform/pageframe/PageList.h"
#include "platform/pageframe/ProgramConsole.h"
#include "platform/pageframe/SystemPropertyFrame.h"

namespace {

using namespace pageframe;

constexpr wchar_t kUsage[] = L"usage: pageframe [--system] {CLSID} [{CLSID} ...]\n";

std::wstring ClsidText(REFCLSID clsid)
{
    tolv::com::unique_cotaskmem_string text;
    wchar_t* raw = nullptr;
    if (FAILED(StringFromCLSID(clsid, &raw))) {
        return {};
    }
    text.reset(raw);
    return text.get();
}

int RunOwnFrame(HINSTANCE instance, const FrameCommandLine& command)
{
    CPageList pages;
    for (const CLSID& clsid : command.pages) {
        const HRESULT hr = pages.AddPageByClsid(clsid);
        if (FAILED(hr)) {
            wchar_t line[128];
            swprintf(line, std::size(line), L"pageframe: page %ls not loaded: 0x%08lX\n", ClsidText(clsid).c_str(),
                     static_cast<unsigned long>(hr));
            ReportOnStandardError(line);
            return kExitPageNotLoaded;
        }
    }
    CPageFrameWindow frame(pages);
    if (FAILED(frame.Create(instance))) {
        ReportOnStandardError(L"pageframe: the frame could not be opened\n");
        return kExitFrameFailed;
    }
    return frame.Run();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    FrameCommandLine command;
    std::wstring bad;
    if (!ParseFrameCommandLine(ProgramArguments(), command, bad)) {
        ReportOnStandardError(bad.empty() ? std::wstring(kUsage)
                                          : L"pageframe: not a class identifier: " + bad + L"\n" + kUsage);
        return kExitUsage;
    }
    const tolv::com::com_init com(COINIT_APARTMENTTHREADED);
    if (!com.succeeded()) {
        return kExitNoCom;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (command.systemFrame) {
        return SUCCEEDED(ShowSystemPropertyFrame(command.pages)) ? kExitClosed : kExitFrameFailed;
    }
    return RunOwnFrame(instance, command);
}
