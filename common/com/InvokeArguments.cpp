#include "com/InvokeArguments.h"

#include "com/UniqueVariant.h"

namespace tolv::com {

HRESULT InvokeArguments::text(UINT index, std::wstring& value) const
{
    unique_variant converted;
    const HRESULT hr = VariantChangeType(converted.get(), const_cast<VARIANT*>(&at(index)), 0, VT_BSTR);
    if (FAILED(hr)) {
        return hr;
    }
    const BSTR bstr = V_BSTR(converted.get());
    value.assign(bstr ? bstr : L"", bstr ? SysStringLen(bstr) : 0);
    return S_OK;
}

HRESULT InvokeArguments::number(UINT index, long& value) const noexcept
{
    if (V_VT(&at(index)) == VT_ERROR) {
        value = V_ERROR(&at(index));
        return S_OK;
    }
    unique_variant converted;
    const HRESULT hr = VariantChangeType(converted.get(), const_cast<VARIANT*>(&at(index)), 0, VT_I4);
    if (SUCCEEDED(hr)) {
        value = V_I4(converted.get());
    }
    return hr;
}

VARIANT_BOOL* InvokeArguments::bool_reference(UINT index) const noexcept
{
    const VARIANT* value = &at(index);
    if (V_VT(value) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(value) != nullptr) {
        value = V_VARIANTREF(value);
    }
    return V_VT(value) == (VT_BOOL | VT_BYREF) ? V_BOOLREF(value) : nullptr;
}

}  // namespace tolv::com
