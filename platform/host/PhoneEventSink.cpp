#include "platform/host/PhoneEventSink.h"

#include <new>

#include "com/InvokeArguments.h"

namespace host {

namespace {

// PhoneConnected: device name, phone name (the model), manufacturer, charge, signal, IMEI.
constexpr UINT kConnectedArguments = 6;
constexpr UINT kModelArgument = 1;

}  // namespace

HRESULT STDMETHODCALLTYPE CPhoneEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                                  EXCEPINFO*, UINT*)
{
    if (params == nullptr) {
        return E_POINTER;
    }
    if (m_listener == nullptr) {
        return S_OK;
    }
    const tolv::com::InvokeArguments arguments(*params);
    try {
        if (id == kPhoneConnected) {
            std::wstring model;
            if (!arguments.has_count(kConnectedArguments)) {
                return DISP_E_BADPARAMCOUNT;
            }
            const HRESULT hr = arguments.text(kModelArgument, model);
            if (FAILED(hr)) {
                return hr;
            }
            m_listener->OnPhoneChanged(model);
        } else if (id == kPhoneDisconnected) {
            m_listener->OnPhoneChanged(std::wstring());
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

}  // namespace host
