#include "tools/kivctl/EventSink.h"

#include "com/UniqueVariant.h"

namespace {

// The arguments of one call in declaration order (DISPPARAMS holds them reversed).
class EventArguments {
public:
    explicit EventArguments(const DISPPARAMS& params) : m_params(params) {}

    bool HasCount(UINT expected) const
    {
        return m_params.cArgs == expected && (expected == 0 || m_params.rgvarg != nullptr);
    }
    HRESULT Text(UINT index, std::wstring& text) const
    {
        tolv::com::unique_variant value;
        const HRESULT hr = VariantChangeType(value.get(), const_cast<VARIANT*>(&At(index)), 0, VT_BSTR);
        if (FAILED(hr)) {
            return hr;
        }
        const BSTR bstr = V_BSTR(value.get());
        text.assign(bstr ? bstr : L"", bstr ? SysStringLen(bstr) : 0);
        return S_OK;
    }
    HRESULT Long(UINT index, long& number) const
    {
        if (V_VT(&At(index)) == VT_ERROR) {
            number = V_ERROR(&At(index));
            return S_OK;
        }
        tolv::com::unique_variant value;
        const HRESULT hr = VariantChangeType(value.get(), const_cast<VARIANT*>(&At(index)), 0, VT_I4);
        if (SUCCEEDED(hr)) {
            number = V_I4(value.get());
        }
        return hr;
    }
    // The cancel answer: VT_BOOL by reference, or wrapped in a VARIANT by reference.
    VARIANT_BOOL* BoolReference(UINT index) const
    {
        const VARIANT* value = &At(index);
        if (V_VT(value) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(value) != nullptr) {
            value = V_VARIANTREF(value);
        }
        return V_VT(value) == (VT_BOOL | VT_BYREF) ? V_BOOLREF(value) : nullptr;
    }

private:
    const VARIANT& At(UINT index) const { return m_params.rgvarg[m_params.cArgs - 1 - index]; }

    const DISPPARAMS& m_params;
};

}  // namespace

HRESULT CKivctlEventSink::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT CKivctlEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT CKivctlEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

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
    EventArguments arguments(params);
    if (!arguments.HasCount(2)) {
        return DISP_E_BADPARAMCOUNT;
    }
    std::wstring name;
    std::wstring information;
    RETURN_IF_FAILED(arguments.Text(0, name));
    RETURN_IF_FAILED(arguments.Text(1, information));
    if (m_observer != nullptr) {
        m_observer->OnDeviceConnected(name, information);
    }
    return S_OK;
}

HRESULT CKivctlEventSink::DeviceDisconnected(const DISPPARAMS& params)
{
    EventArguments arguments(params);
    if (!arguments.HasCount(1)) {
        return DISP_E_BADPARAMCOUNT;
    }
    std::wstring name;
    RETURN_IF_FAILED(arguments.Text(0, name));
    if (m_observer != nullptr) {
        m_observer->OnDeviceDisconnected(name);
    }
    return S_OK;
}

HRESULT CKivctlEventSink::OperationProgress(const DISPPARAMS& params)
{
    EventArguments arguments(params);
    if (!arguments.HasCount(4)) {
        return DISP_E_BADPARAMCOUNT;
    }
    long action = 0;
    long percentage = 0;
    std::wstring path;
    RETURN_IF_FAILED(arguments.Long(0, action));
    RETURN_IF_FAILED(arguments.Text(1, path));
    RETURN_IF_FAILED(arguments.Long(2, percentage));
    VARIANT_BOOL* cancel = arguments.BoolReference(3);
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
    EventArguments arguments(params);
    if (!arguments.HasCount(3)) {
        return DISP_E_BADPARAMCOUNT;
    }
    long action = 0;
    long result = 0;
    std::wstring path;
    RETURN_IF_FAILED(arguments.Long(0, action));
    RETURN_IF_FAILED(arguments.Text(1, path));
    RETURN_IF_FAILED(arguments.Long(2, result));
    if (m_observer != nullptr) {
        m_observer->OnCompletion(action, path, static_cast<HRESULT>(result));
    }
    return S_OK;
}
