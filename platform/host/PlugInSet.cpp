#include "platform/host/PlugInSet.h"

#include <cwchar>
#include <new>

#include "com/HResult.h"
#include "com/UniqueBstr.h"
#include "platform/host/HostTrace.h"
#include "trace/WideToAnsi.h"

namespace host {

using tolv::com::com_ptr;
using tolv::com::unique_bstr;

namespace {

void TraceFailure(const std::wstring& name, const char* step, HRESULT hr)
{
    HostTrace().Format(kTraceErrors, "plug-in \"%s\": %s failed: 0x%08lX",
                       tolv::trace::WideToAnsi(name.c_str()).c_str(), step, static_cast<unsigned long>(hr));
}

}  // namespace

CPlugInSet::~CPlugInSet()
{
    DisconnectAll();
}

void CPlugInSet::ConnectAll(const std::vector<PlugInEntry>& entries, IUnknown* host)
{
    for (const PlugInEntry& entry : entries) {
        const HRESULT hr = Connect(entry, host);
        if (FAILED(hr)) {
            TraceFailure(entry.name, "connection", hr);
        }
    }
}

HRESULT CPlugInSet::Connect(const PlugInEntry& entry, IUnknown* host)
{
    ConnectedPlugIn connected;
    try {
        connected.name = entry.name;
        connected.buttonText = entry.name;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    connected.cookie = m_nextCookie++;
    RETURN_IF_FAILED(
        CoCreateInstance(entry.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IHostPlugIn, connected.plugIn.put_void()));
    const long cookie = connected.cookie;
    com_ptr<IHostPlugIn> plugIn = connected.plugIn;
    // The plug-in registers its commands from inside OnConnection: it must be listed by then.
    try {
        m_plugIns.push_back(std::move(connected));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    const unique_bstr pageName(entry.description.c_str());
    VARIANT_BOOL accepted = VARIANT_FALSE;
    HRESULT hr = plugIn->OnConnection(host, cookie, pageName.get(), &accepted);
    if (SUCCEEDED(hr) && accepted == VARIANT_FALSE) {
        hr = S_FALSE;
    }
    if (hr == S_OK && !m_plugIns.back().commands) {
        hr = E_NOINTERFACE;
        plugIn->OnDisconnection();
    }
    if (hr != S_OK) {
        m_plugIns.pop_back();
        return FAILED(hr) ? hr : E_ABORT;
    }
    return S_OK;
}

HRESULT CPlugInSet::OnRegisterCommands(IDispatch* commands, long cookie)
{
    for (ConnectedPlugIn& plugIn : m_plugIns) {
        if (plugIn.cookie == cookie) {
            return commands->QueryInterface(IID_IHostCommands, plugIn.commands.put_void());
        }
    }
    return E_INVALIDARG;
}

void CPlugInSet::CollectPages(IHostPageCollector* collector)
{
    for (ConnectedPlugIn& plugIn : m_plugIns) {
        DescribeButton(plugIn);
        plugIn.firstPage = m_pages.size();
        const HRESULT hr = plugIn.commands->CollectPropertyPages(collector);
        if (FAILED(hr)) {
            TraceFailure(plugIn.name, "CollectPropertyPages", hr);
        }
        plugIn.pageCount = m_pages.size() - plugIn.firstPage;
    }
}

void CPlugInSet::DescribeButton(ConnectedPlugIn& plugIn)
{
    unique_bstr title;
    if (plugIn.commands->GetTitle(title.put()) == S_OK && !title.empty()) {
        plugIn.buttonText = title.c_str();
    }
    unique_bstr toolTip;
    if (SUCCEEDED(plugIn.commands->GetToolTip(toolTip.put()))) {
        plugIn.toolTip = toolTip.c_str();
    }
}

HRESULT CPlugInSet::OnAddPage(IUnknown* page)
{
    return m_pages.AddPage(page);
}

long CPlugInSet::PageCount() const
{
    return static_cast<long>(m_pages.size());
}

std::vector<bool> CPlugInSet::EnableFor(const std::wstring& model)
{
    std::vector<bool> enabled;
    const unique_bstr phone(model.c_str());
    for (const ConnectedPlugIn& plugIn : m_plugIns) {
        VARIANT_BOOL enable = VARIANT_FALSE;
        const HRESULT hr = plugIn.commands->EnableToolButton(phone.get(), 0, 0, &enable);
        if (FAILED(hr)) {
            TraceFailure(plugIn.name, "EnableToolButton", hr);
        }
        enabled.push_back(SUCCEEDED(hr) && enable != VARIANT_FALSE);
    }
    return enabled;
}

bool CPlugInSet::CanCloseAll()
{
    bool canClose = true;
    for (const ConnectedPlugIn& plugIn : m_plugIns) {
        VARIANT_BOOL answer = VARIANT_TRUE;
        if (SUCCEEDED(plugIn.commands->CanCloseWindow(&answer)) && answer == VARIANT_FALSE) {
            canClose = false;
        }
    }
    return canClose;
}

HRESULT CPlugInSet::Show(size_t index)
{
    RETURN_HR_IF(E_INVALIDARG, index >= m_plugIns.size());
    // Both arguments are reserved.
    const HRESULT hr = m_plugIns[index].commands->Show(0, 0);
    if (FAILED(hr)) {
        TraceFailure(m_plugIns[index].name, "Show", hr);
    }
    return hr;
}

void CPlugInSet::DisconnectAll()
{
    for (ConnectedPlugIn& plugIn : m_plugIns) {
        const HRESULT hr = plugIn.plugIn->OnDisconnection();
        if (FAILED(hr)) {
            TraceFailure(plugIn.name, "OnDisconnection", hr);
        }
    }
    // A plug-in's commands may hold the plug-in: every plug-in has been told before any goes.
    m_plugIns.clear();
}

size_t CPlugInSet::IndexOf(const std::wstring& name) const noexcept
{
    for (size_t index = 0; index < m_plugIns.size(); ++index) {
        if (_wcsicmp(m_plugIns[index].name.c_str(), name.c_str()) == 0) {
            return index;
        }
    }
    return m_plugIns.size();
}

}  // namespace host
