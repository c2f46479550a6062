#include "tests/host/SamplePlugIn.h"

#include <cstdio>
#include <string>

#include "com/HResult.h"
#include "com/UniqueBstr.h"
#include "tests/host/SamplePlugInClass.h"
#include "tests/pagebase/SamplePageClass.h"

namespace {

std::wstring EnvironmentText(const wchar_t* name)
{
    wchar_t text[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(name, text, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(text) : std::wstring();
}

std::wstring LogPath()
{
    return EnvironmentText(kCallLogVariable);
}

std::wstring TextOf(BSTR text)
{
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace

void CSamplePlugIn::Record(const std::wstring& call) const
{
    const std::wstring path = LogPath();
    if (path.empty()) {
        return;
    }
    FILE* log = _wfopen(path.c_str(), L"a");
    if (log == nullptr) {
        return;
    }
    fwprintf(log, L"%ls%lc%ls\n", m_pageName.c_str(), kLogSeparator, call.c_str());
    fclose(log);
}

HRESULT CSamplePlugIn::OnConnection(IUnknown* host, long cookie, BSTR pageName, VARIANT_BOOL* connected)
{
    RETURN_HR_IF_NULL(E_POINTER, connected);
    *connected = VARIANT_FALSE;
    RETURN_HR_IF_NULL(E_POINTER, host);
    try {
        m_pageName = TextOf(pageName);
        Record(L"OnConnection" + std::wstring(1, kLogSeparator) + std::to_wstring(cookie));
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    RETURN_IF_FAILED(host->QueryInterface(IID_IHostApplication, m_host.put_void()));
    // The commands are this object itself, handed over as the host's contract has them: an IDispatch.
    const HRESULT hr = m_host->RegisterCommands(static_cast<IDispatch*>(static_cast<IHostCommands*>(this)), cookie);
    Record(L"RegisterCommands" + std::wstring(1, kLogSeparator) + (SUCCEEDED(hr) ? L"ok" : L"failed"));
    RETURN_IF_FAILED(hr);
    *connected = VARIANT_TRUE;
    return S_OK;
}

HRESULT CSamplePlugIn::OnDisconnection()
{
    Record(L"OnDisconnection");
    m_host = nullptr;
    return S_OK;
}

HRESULT CSamplePlugIn::Show(long reserved1, long reserved2)
{
    Record(L"Show" + std::wstring(1, kLogSeparator) + std::to_wstring(reserved1) + kLogSeparator +
           std::to_wstring(reserved2));
    return S_OK;
}

HRESULT CSamplePlugIn::CanCloseWindow(VARIANT_BOOL* canClose)
{
    RETURN_HR_IF_NULL(E_POINTER, canClose);
    const std::wstring refusal = LogPath() + kRefuseCloseSuffix;
    const bool refuse = GetFileAttributesW(refusal.c_str()) != INVALID_FILE_ATTRIBUTES;
    Record(L"CanCloseWindow" + std::wstring(1, kLogSeparator) + (refuse ? L"no" : L"yes"));
    *canClose = refuse ? VARIANT_FALSE : VARIANT_TRUE;
    return S_OK;
}

HRESULT CSamplePlugIn::ShowHelp()
{
    Record(L"ShowHelp");
    return S_OK;
}

HRESULT CSamplePlugIn::GetToolTip(BSTR* text)
{
    RETURN_HR_IF_NULL(E_POINTER, text);
    Record(L"GetToolTip");
    *text = SysAllocString(kSampleToolTip);
    return *text ? S_OK : E_OUTOFMEMORY;
}

HRESULT CSamplePlugIn::EnableToolButton(BSTR model, long, long, VARIANT_BOOL* enable)
{
    RETURN_HR_IF_NULL(E_POINTER, enable);
    const std::wstring phone = TextOf(model);
    Record(L"EnableToolButton" + std::wstring(1, kLogSeparator) + phone);
    *enable = phone == kSampleModel ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT CSamplePlugIn::CollectPropertyPages(IHostPageCollector* collector)
{
    RETURN_HR_IF_NULL(E_POINTER, collector);
    Record(L"CollectPropertyPages");
    tolv::com::com_ptr<IUnknown> page;
    RETURN_IF_FAILED(CoCreateInstance(kSamplePageClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, page.put_void()));
    return collector->AddPage(page.get());
}

HRESULT CSamplePlugIn::GetTitle(BSTR* title)
{
    RETURN_HR_IF_NULL(E_POINTER, title);
    *title = nullptr;
    const std::wstring text = EnvironmentText(kTitleVariable);
    // No title of its own: the host names the button after the plug-in.
    if (text.empty()) {
        return S_FALSE;
    }
    *title = SysAllocString(text.c_str());
    return *title ? S_OK : E_OUTOFMEMORY;
}
