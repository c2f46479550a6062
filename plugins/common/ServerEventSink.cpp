#include "ServerEventSink.h"

#include "com/InvokeArguments.h"

using tolv::com::InvokeArguments;

namespace tolv::plugins {

namespace {

constexpr UINT kProgressArguments = 4;
constexpr UINT kCompletionArguments = 3;
constexpr UINT kChangeArguments = 2;
constexpr UINT kEventArguments = 3;

// A VARIANT by reference, as KivOnEvent's data travels; null for anything else.
VARIANT* VariantReference(const DISPPARAMS& params, UINT index)
{
    VARIANT& value = params.rgvarg[params.cArgs - 1 - index];
    return V_VT(&value) == (VT_VARIANT | VT_BYREF) ? V_VARIANTREF(&value) : nullptr;
}

}  // namespace

CServerEventSink::~CServerEventSink() = default;

HRESULT CServerEventSink::Advise(IUnknown* source, IServerEventDelegate* delegate)
{
    Unadvise();
    if (!source)
        return E_POINTER;
    tolv::com::com_ptr<IConnectionPointContainer> container;
    HRESULT hr = source->QueryInterface(IID_IConnectionPointContainer, container.put_void());
    if (FAILED(hr))
        return hr;
    tolv::com::com_ptr<IConnectionPoint> point;
    hr = container->FindConnectionPoint(DIID_IKivAllServerEvents, point.put());
    if (FAILED(hr))
        return hr;
    DWORD cookie = 0;
    hr = point->Advise(static_cast<IDispatch*>(this), &cookie);
    if (FAILED(hr))
        return hr;
    m_point = std::move(point);
    m_cookie = cookie;
    m_delegate = delegate;
    return S_OK;
}

HRESULT CServerEventSink::Unadvise()
{
    if (!IsConnected())
        return S_OK;
    const HRESULT hr = m_point->Unadvise(m_cookie);
    m_cookie = kNotConnected;
    m_point = nullptr;
    m_delegate = nullptr;
    return hr;
}

HRESULT CServerEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*)
{
    if (result)
        VariantInit(result);
    if (id < kOperationProgress || id > kOnEvent)
        return S_OK;
    if (!params)
        return E_INVALIDARG;
    try {
        return Dispatch(id, *params);
    } catch (...) {
        // Nothing may leave a COM method; the transfer goes on without this event.
        return E_UNEXPECTED;
    }
}

HRESULT CServerEventSink::Dispatch(DISPID id, const DISPPARAMS& params)
{
    const InvokeArguments arguments(params);
    long first = 0;
    std::wstring text;
    switch (id) {
    case kOperationProgress: {
        long percentage = 0;
        if (!arguments.has_count(kProgressArguments))
            return DISP_E_BADPARAMCOUNT;
        VARIANT_BOOL* cancel = arguments.bool_reference(3);
        if (FAILED(arguments.number(0, first)) || FAILED(arguments.text(1, text)) ||
            FAILED(arguments.number(2, percentage)) || !cancel)
            return DISP_E_TYPEMISMATCH;
        return KivOperationProgress(first, text, percentage, cancel);
    }
    case kOperationCompletion: {
        long outcome = 0;
        if (!arguments.has_count(kCompletionArguments))
            return DISP_E_BADPARAMCOUNT;
        if (FAILED(arguments.number(0, first)) || FAILED(arguments.text(1, text)) ||
            FAILED(arguments.number(2, outcome)))
            return DISP_E_TYPEMISMATCH;
        return KivOperationCompletion(first, text, static_cast<HRESULT>(outcome));
    }
    case kOnChange:
        if (!arguments.has_count(kChangeArguments))
            return DISP_E_BADPARAMCOUNT;
        if (FAILED(arguments.number(0, first)) || FAILED(arguments.text(1, text)))
            return DISP_E_TYPEMISMATCH;
        return KivOnChange(first, text);
    default:
        if (!arguments.has_count(kEventArguments))
            return DISP_E_BADPARAMCOUNT;
        if (FAILED(arguments.number(0, first)) || FAILED(arguments.text(1, text)))
            return DISP_E_TYPEMISMATCH;
        return KivOnEvent(first, text, VariantReference(params, 2));
    }
}

HRESULT CServerEventSink::KivOperationProgress(long action, const std::wstring& path, long percentage,
                                               VARIANT_BOOL* cancel)
{
    if (m_delegate)
        m_delegate->KivOperationProgress(action, path, percentage, cancel);
    return S_OK;
}

HRESULT CServerEventSink::KivOperationCompletion(long action, const std::wstring& path, HRESULT result)
{
    if (m_delegate)
        m_delegate->KivOperationCompletion(action, path, result);
    return S_OK;
}

HRESULT CServerEventSink::KivOnChange(long change, const std::wstring& info)
{
    if (m_delegate)
        m_delegate->KivOnChange(change, info);
    return S_OK;
}

HRESULT CServerEventSink::KivOnEvent(long event, const std::wstring& description, VARIANT* data)
{
    if (m_delegate)
        m_delegate->KivOnEvent(event, description, data);
    return S_OK;
}

}  // namespace tolv::plugins
