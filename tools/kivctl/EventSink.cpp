#include "tools/kivctl/EventSink.h"

#include "com/InvokeArguments.h"

using tolv::com::InvokeArguments;

HRESULT CKivctlEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*)
{
    if (result != nullptr) {
        VariantInit(result);
    }
    if (id < kDeviceConnected || id > kOperationCompletion) {
        return S_OK;
    }
    if (params == nullptr) {
        return E_INVALIDARG;
    }
    try {
        switch (id) {
        case kDeviceConnected:
            return DeviceConnected(*params);
        case kDeviceDisconnected:
            return DeviceDisconnected(*params);
        case kOperationProgress:
            return OperationProgress(*params);
        default:
            return OperationCompletion(*params);
        }
    } catch (...) {
        // Nothing may leave a COM method; a lost line of output is the worst outcome.
        return E_UNEXPECTED;
    }
}

HRESULT CKivctlEventSink::DeviceConnected(const DISPPARAMS& params)
{
    InvokeArguments arguments(params);
    if (!arguments.has_count(2)) {
        return DISP_E_BADPARAMCOUNT;
    }
    std::wstring name;
    std::wstring information;
    RETURN_IF_FAILED(arguments.text(0, name));
    RETURN_IF_FAILED(arguments.text(1, information));
    if (m_observer != nullptr) {
        m_observer->OnDeviceConnected(name, information);
    }
    return S_OK;
}

HRESULT CKivctlEventSink::DeviceDisconnected(const DISPPARAMS& params)
{
    InvokeArguments arguments(params);
    if (!arguments.has_count(1)) {
        return DISP_E_BADPARAMCOUNT;
    }
    std::wstring name;
    RETURN_IF_FAILED(arguments.text(0, name));
    if (m_observer != nullptr) {
        m_observer->OnDeviceDisconnected(name);
    }
    return S_OK;
}

HRESULT CKivctlEventSink::OperationProgress(const DISPPARAMS& params)
{
    InvokeArguments arguments(params);
    if (!arguments.has_count(4)) {
        return DISP_E_BADPARAMCOUNT;
    }
    long action = 0;
    long percentage = 0;
    std::wstring path;
    RETURN_IF_FAILED(arguments.number(0, action));
    RETURN_IF_FAILED(arguments.text(1, path));
    RETURN_IF_FAILED(arguments.number(2, percentage));
    VARIANT_BOOL* cancel = arguments.bool_reference(3);
    if (cancel == nullptr) {
        return DISP_E_TYPEMISMATCH;
    }
    // Only ever raise the flag: another sink may have asked already.
    if (m_observer != nullptr && m_observer->OnProgress(action, path, percentage)) {
        *cancel = VARIANT_TRUE;
    }
    return S_OK;
}

HRESULT CKivctlEventSink::OperationCompletion(const DISPPARAMS& params)
{
    InvokeArguments arguments(params);
    if (!arguments.has_count(3)) {
        return DISP_E_BADPARAMCOUNT;
    }
    long action = 0;
    long result = 0;
    std::wstring path;
    RETURN_IF_FAILED(arguments.number(0, action));
    RETURN_IF_FAILED(arguments.text(1, path));
    RETURN_IF_FAILED(arguments.number(2, result));
    if (m_observer != nullptr) {
        m_observer->OnCompletion(action, path, static_cast<HRESULT>(result));
    }
    return S_OK;
}
