#include "plugins/tunepane/TolvTunepanePlugIn.h"

#include "plugins/tunepane/TunepaneApp.h"
#include "plugins/tunepane/TunepaneCommands.h"

namespace tolv::tunepane {

HRESULT STDMETHODCALLTYPE CTolvTunepanePlugIn::OnConnection(IUnknown* host, long cookie, BSTR pageName,
                                                            VARIANT_BOOL* connected)
{
    if (connected == nullptr) {
        return E_POINTER;
    }
    *connected = VARIANT_FALSE;
    if (m_host || m_commands) {
        return E_FAIL;
    }
    CTunepaneApp& app = CTunepaneApp::Instance();
    Mp3PagePtr page;
    if (FAILED(app.CreateHostPage(page))) {
        return E_FAIL;
    }
    // A host that is not ours, or one that refuses the commands, leaves the plug-in
    // unconnected without failing the host's loop over its plug-ins.
    tolv::com::com_ptr<IHostApplication> application;
    if (host == nullptr || FAILED(host->QueryInterface(IID_PPV_ARGS(application.put())))) {
        app.Trace().Format(1, "OnConnection: the host offers no IHostApplication");
        return S_OK;
    }
    m_host = tolv::com::com_ptr<IUnknown>(host);
    tolv::com::com_ptr<IHostCommands> commands;
    HRESULT hr = tolv::com::MakeComObject<CTunepaneCommands>(commands);
    if (SUCCEEDED(hr)) {
        hr = commands->QueryInterface(IID_PPV_ARGS(m_commands.put()));
    }
    if (SUCCEEDED(hr)) {
        hr = application->RegisterCommands(m_commands.get(), cookie);
    }
    if (FAILED(hr)) {
        app.Trace().Format(1, "OnConnection: commands not registered (0x%08lX)", static_cast<unsigned long>(hr));
        m_commands.reset();
        m_host.reset();
        return S_OK;
    }
    page->SetDocString(pageName != nullptr ? pageName : L"");
    *connected = VARIANT_TRUE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CTolvTunepanePlugIn::OnDisconnection()
{
    if (Mp3PagePtr page = CTunepaneApp::Instance().TakePage()) {
        page->OnDisconnection();
    }
    m_commands.reset();
    m_host.reset();
    return S_OK;
}

}  // namespace tolv::tunepane
