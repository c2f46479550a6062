#pragma once
// The three classes each plug-in library registers, written once for both libraries:
//
// - the connection object the host creates from its PlugIns list (IHostPlugIn): it connects
//   the plug-in to the host (the page, and the commands object the host calls) and
//   disconnects it again;
// - the commands object (IHostCommands): the tool button (tool tip, enabling, the press), the
//   question before the host closes, the page for the host's settings window; it keeps no
//   state of its own, everything is the application's page;
// - the task adapter the scheduler creates from its SchedulerPlugIns list (ITolvTaskScheduler):
//   the job without the host's window, on the caller's thread, with the host connection's page
//   when there is one and else with a page of its own for the run.
//
// A library describes itself in a traits class:
//
//     struct Traits {
//         using Page = CMyPage;                              // the plug-in's property page
//         static CPlugInApplication<Page>& Application();
//         static constexpr const IID* kPlugInDispinterface = &DIID_...;    // the library's own,
//         static constexpr const IID* kCommandsDispinterface = &DIID_...;  // method-less
//         static constexpr const IID* kAdapterDispinterface = &DIID_...;   // dispinterfaces
//         static constexpr UINT kToolTipId, kTaskNameId, kCannotCloseTextId, kCannotCloseCaptionId;
//         static constexpr UINT kCannotCloseIcon;                // MB_ICONWARNING, ...
//         static constexpr HRESULT kGetTitleResult;              // S_FALSE or E_NOTIMPL
//     };
//
// The page offers SetDocString, FrameworkConnected, SetFrameworkConnected, JobRunning,
// StartScheduler(bool), StartPageUpdata, OnDisconnection and Window.
//
// Threads: the classes are registered free-threaded ("both"); the host calls from its
// user-interface thread, the scheduler from its own. Show and CanCloseWindow never block the
// caller: the job and the box run on threads of their own.
#include <cwchar>

#include "com/ComObject.h"
#include "com/ErrorInfo.h"
#include "com/UniqueBstr.h"
#include "plugins/common/CannotCloseBox.h"
#include "plugins/common/DetachedThread.h"
#include "plugins/common/HostTypeLibraries.h"
#include "plugins/common/PlugInApplication.h"
#include "plugins/common/WaitCursor.h"
#include "ui/AnsiText.h"

namespace tolv::plugins {

// What a tool tip or task name reads when its text is missing from every table.
inline constexpr wchar_t kMissingText[] = L"???";

template <class Traits>
class CHostCommands : public tolv::com::DispatchImpl<IHostCommands, kHostLibrary>,
                      public tolv::com::SupportErrorInfoImpl<IHostCommands> {
public:
    using interface_map =
        tolv::com::interface_map<tolv::com::entry_iid<Traits::kCommandsDispinterface, IHostCommands>, ISupportErrorInfo,
                                 tolv::com::entry_via<IDispatch, IHostCommands>, IHostCommands>;

    HRESULT STDMETHODCALLTYPE Show(long, long) override
    {
        WaitCursor wait;
        auto page = Traits::Application().Page();
        if (!page || !page->FrameworkConnected() || page->JobRunning()) {
            return S_OK;
        }
        // The host's thread must not wait for the job: it runs on a worker that keeps the page.
        StartDetachedThread([page] { page->StartScheduler(true); });
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE CanCloseWindow(VARIANT_BOOL* canClose) override
    {
        if (canClose == nullptr) {
            return E_POINTER;
        }
        auto& application = Traits::Application();
        auto page = application.Page();
        if (!page || !page->JobRunning()) {
            *canClose = VARIANT_TRUE;
            return S_OK;
        }
        *canClose = VARIANT_FALSE;
        if (IModuleResource* texts = application.Texts()) {
            std::string text;
            std::string caption;
            texts->LoadString(Traits::kCannotCloseTextId, text);
            texts->LoadString(Traits::kCannotCloseCaptionId, caption);
            ShowMessageBoxOnNewThread(tolv::ui::AnsiToWide(text), tolv::ui::AnsiToWide(caption),
                                      MB_OK | Traits::kCannotCloseIcon);
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE ShowHelp() override
    {
        // The page names its help file in its page information; the host opens it.
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE GetToolTip(BSTR* text) override
    {
        if (text == nullptr) {
            return E_POINTER;
        }
        IModuleResource* texts = Traits::Application().Texts();
        if (texts == nullptr) {
            return E_NOTIMPL;
        }
        std::string tip;
        texts->LoadString(Traits::kToolTipId, tip);
        *text = tip.empty() ? SysAllocString(kMissingText) : tolv::com::unique_bstr(tip.c_str()).release();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE EnableToolButton(BSTR model, long, long, VARIANT_BOOL* enable) override
    {
        if (enable == nullptr) {
            return E_POINTER;
        }
        auto page = Traits::Application().Page();
        if (!page) {
            *enable = VARIANT_FALSE;
            return S_OK;
        }
        const bool supported = model != nullptr && std::wcscmp(model, kSupportedPhoneModel) == 0;
        *enable = supported ? VARIANT_TRUE : VARIANT_FALSE;
        page->SetFrameworkConnected(supported);
        if (page->Window() != nullptr) {
            page->StartPageUpdata();
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE CollectPropertyPages(IHostPageCollector* collector) override
    {
        auto& application = Traits::Application();
        auto page = application.Page();
        if (!page || collector == nullptr) {
            return E_FAIL;
        }
        tolv::com::com_ptr<IUnknown> identity;
        RETURN_IF_FAILED(page->QueryInterface(IID_PPV_ARGS(identity.put())));
        const HRESULT added = collector->AddPage(identity.get());
        application.Trace().Format(3, SUCCEEDED(added) ? "CollectPropertyPages: page added"
                                                       : "CollectPropertyPages: page refused");
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTitle(BSTR* title) override
    {
        if (title == nullptr) {
            return E_POINTER;
        }
        // The host names the tool button itself; the pointer is left as it is.
        return Traits::kGetTitleResult;
    }
};

template <class Traits>
class CHostPlugIn : public tolv::com::DispatchImpl<IHostPlugIn, kHostLibrary>,
                    public tolv::com::SupportErrorInfoImpl<IHostPlugIn> {
public:
    using interface_map =
        tolv::com::interface_map<tolv::com::entry_iid<Traits::kPlugInDispinterface, IHostPlugIn>, ISupportErrorInfo,
                                 tolv::com::entry_via<IDispatch, IHostPlugIn>, IHostPlugIn>;

    HRESULT STDMETHODCALLTYPE OnConnection(IUnknown* host, long cookie, BSTR pageName, VARIANT_BOOL* connected) override
    {
        if (connected == nullptr) {
            return E_POINTER;
        }
        *connected = VARIANT_FALSE;
        if (m_host || m_commands) {
            return E_FAIL;
        }
        auto& application = Traits::Application();
        typename CPlugInApplication<typename Traits::Page>::PagePtr page;
        if (FAILED(application.CreateHostPage(page))) {
            return E_FAIL;
        }
        // A host that is not ours, or one that refuses the commands, leaves the plug-in
        // unconnected without failing the host's loop over its plug-ins.
        tolv::com::com_ptr<IHostApplication> host_application;
        if (host == nullptr || FAILED(host->QueryInterface(IID_PPV_ARGS(host_application.put())))) {
            application.Trace().Format(1, "OnConnection: the host offers no IHostApplication");
            return S_OK;
        }
        m_host = tolv::com::com_ptr<IUnknown>(host);
        tolv::com::com_ptr<IHostCommands> commands;
        HRESULT hr = tolv::com::MakeComObject<CHostCommands<Traits>>(commands);
        if (SUCCEEDED(hr)) {
            hr = commands->QueryInterface(IID_PPV_ARGS(m_commands.put()));
        }
        if (SUCCEEDED(hr)) {
            hr = host_application->RegisterCommands(m_commands.get(), cookie);
        }
        if (FAILED(hr)) {
            application.Trace().Format(1, "OnConnection: commands not registered (0x%08lX)",
                                       static_cast<unsigned long>(hr));
            m_commands.reset();
            m_host.reset();
            return S_OK;
        }
        page->SetDocString(pageName != nullptr ? pageName : L"");
        *connected = VARIANT_TRUE;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE OnDisconnection() override
    {
        if (auto page = Traits::Application().TakePage()) {
            page->OnDisconnection();
        }
        m_commands.reset();
        m_host.reset();
        return S_OK;
    }

private:
    tolv::com::com_ptr<IUnknown> m_host;
    tolv::com::com_ptr<IDispatch> m_commands;
};

template <class Traits>
class CTaskAdapter : public tolv::com::DispatchImpl<ITolvTaskScheduler, kTaskpaneLibrary>,
                     public tolv::com::SupportErrorInfoImpl<ITolvTaskScheduler> {
public:
    using interface_map =
        tolv::com::interface_map<tolv::com::entry_iid<Traits::kAdapterDispinterface, ITolvTaskScheduler>,
                                 ISupportErrorInfo, tolv::com::entry_via<IDispatch, ITolvTaskScheduler>,
                                 ITolvTaskScheduler>;

    // What RunTask answers when no page could be made for the run.
    static constexpr long kNoPage = 4;

    HRESULT STDMETHODCALLTYPE RunTask(long* result) override
    {
        if (result == nullptr) {
            return E_POINTER;
        }
        auto& application = Traits::Application();
        auto page = application.Page();
        if (!page && FAILED(application.CreatePage(page))) {
            *result = kNoPage;
            return S_OK;
        }
        *result = page->StartScheduler(false);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE IsInitialized(long* result) override
    {
        if (result == nullptr) {
            return E_POINTER;
        }
        *result = 1;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override
    {
        if (name == nullptr) {
            return E_POINTER;
        }
        IModuleResource* texts = Traits::Application().Texts();
        if (texts == nullptr) {
            *name = SysAllocString(kMissingText);
            return S_OK;
        }
        std::string text;
        texts->LoadString(Traits::kTaskNameId, text);
        *name = text.empty() ? nullptr : tolv::com::unique_bstr(text.c_str()).release();
        return S_OK;
    }
};

}  // namespace tolv::plugins
