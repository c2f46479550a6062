#include "plugins/tunepane/TunepaneCommands.h"

#include <cwchar>

#include "com/UniqueBstr.h"
#include "plugins/common/CannotCloseBox.h"
#include "plugins/common/DetachedThread.h"
#include "plugins/common/WaitCursor.h"
#include "plugins/tunepane/TunepaneApp.h"
#include "plugins/tunepane/TunepaneStringIds.h"
#include "ui/AnsiText.h"

namespace tolv::tunepane {

namespace {

// What the host shows when a text is missing from every table.
constexpr wchar_t kMissingText[] = L"???";

}  // namespace

HRESULT STDMETHODCALLTYPE CTunepaneCommands::Show(long, long)
{
    plugins::WaitCursor wait;
    Mp3PagePtr page = CTunepaneApp::Instance().Page();
    if (!page || !page->FrameworkConnected() || page->JobRunning()) {
        return S_OK;
    }
    // The host's thread must not wait for the job: it runs on a worker that keeps the page.
    plugins::StartDetachedThread([page] { page->StartScheduler(true); });
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CTunepaneCommands::CanCloseWindow(VARIANT_BOOL* canClose)
{
    if (canClose == nullptr) {
        return E_POINTER;
    }
    CTunepaneApp& app = CTunepaneApp::Instance();
    Mp3PagePtr page = app.Page();
    if (!page || !page->JobRunning()) {
        *canClose = VARIANT_TRUE;
        return S_OK;
    }
    *canClose = VARIANT_FALSE;
    if (IModuleResource* texts = app.Texts()) {
        std::string text;
        std::string caption;
        texts->LoadString(IDS_CANNOT_CLOSE, text);
        texts->LoadString(IDS_CAPTION_COPY_MP3, caption);
        plugins::ShowMessageBoxOnNewThread(tolv::ui::AnsiToWide(text), tolv::ui::AnsiToWide(caption),
                                           MB_OK | MB_ICONWARNING);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CTunepaneCommands::ShowHelp()
{
    // The page names its help file in its page information; the host opens it.
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE CTunepaneCommands::GetToolTip(BSTR* text)
{
    if (text == nullptr) {
        return E_POINTER;
    }
    IModuleResource* texts = CTunepaneApp::Instance().Texts();
    if (texts == nullptr) {
        return E_NOTIMPL;
    }
    std::string tip;
    texts->LoadString(IDS_TOOL_TIP, tip);
    *text = tip.empty() ? SysAllocString(kMissingText) : tolv::com::unique_bstr(tip.c_str()).release();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CTunepaneCommands::EnableToolButton(BSTR model, long, long, VARIANT_BOOL* enable)
{
    if (enable == nullptr) {
        return E_POINTER;
    }
    Mp3PagePtr page = CTunepaneApp::Instance().Page();
    if (!page) {
        *enable = VARIANT_FALSE;
        return S_OK;
    }
    const bool supported = model != nullptr && std::wcscmp(model, plugins::kSupportedPhoneModel) == 0;
    *enable = supported ? VARIANT_TRUE : VARIANT_FALSE;
    page->SetFrameworkConnected(supported);
    if (page->Window() != nullptr) {
        page->StartPageUpdata();
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CTunepaneCommands::CollectPropertyPages(IHostPageCollector* collector)
{
    Mp3PagePtr page = CTunepaneApp::Instance().Page();
    if (!page || collector == nullptr) {
        return E_FAIL;
    }
    tolv::com::com_ptr<IUnknown> identity;
    RETURN_IF_FAILED(page->QueryInterface(IID_PPV_ARGS(identity.put())));
    const HRESULT added = collector->AddPage(identity.get());
    CTunepaneApp::Instance().Trace().Format(3, "CollectPropertyPages: AddPage 0x%08lX",
                                            static_cast<unsigned long>(added));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CTunepaneCommands::GetTitle(BSTR* title)
{
    if (title == nullptr) {
        return E_POINTER;
    }
    // The host names the tool button itself; the pointer is left as it is.
    return S_FALSE;
}

}  // namespace tolv::tunepane
