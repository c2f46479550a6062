#include "com/DispatchArguments.h"

#include <oleauto.h>

#include "com/HResult.h"
#include "com/UniqueVariant.h"

namespace tolv::com {

VARIANT* DispatchArguments::next_slot() noexcept
{
    if (m_count == kMaximum) {
        return nullptr;
    }
    VARIANT* slot = &m_values[m_count++];
    VariantInit(slot);
    return slot;
}

HRESULT DispatchArguments::add_long(LONG value) noexcept
{
    VARIANT* slot = next_slot();
    RETURN_HR_IF_NULL(DISP_E_BADPARAMCOUNT, slot);
    slot->vt = VT_I4;
    slot->lVal = value;
    return S_OK;
}

HRESULT DispatchArguments::add_bool(bool value) noexcept
{
    VARIANT* slot = next_slot();
    RETURN_HR_IF_NULL(DISP_E_BADPARAMCOUNT, slot);
    slot->vt = VT_BOOL;
    slot->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT DispatchArguments::add_string(const wchar_t* text) noexcept
{
    VARIANT* slot = next_slot();
    RETURN_HR_IF_NULL(DISP_E_BADPARAMCOUNT, slot);
    BSTR copy = SysAllocString(text ? text : L"");
    if (copy == nullptr) {
        slot->vt = VT_ERROR;
        slot->scode = E_OUTOFMEMORY;
        return E_OUTOFMEMORY;
    }
    slot->vt = VT_BSTR;
    slot->bstrVal = copy;
    return S_OK;
}

HRESULT DispatchArguments::add_bool_ref(VARIANT_BOOL* flag) noexcept
{
    RETURN_HR_IF_NULL(E_POINTER, flag);
    VARIANT* slot = next_slot();
    RETURN_HR_IF_NULL(DISP_E_BADPARAMCOUNT, slot);
    slot->vt = VT_BOOL | VT_BYREF;
    slot->pboolVal = flag;
    return S_OK;
}

HRESULT DispatchArguments::add(const VARIANT& value) noexcept
{
    RETURN_HR_IF(DISP_E_BADPARAMCOUNT, m_count == kMaximum);
    unique_variant copy;
    RETURN_IF_FAILED(copy.copy_from(value));
    VARIANT* slot = next_slot();
    *slot = copy.release();
    return S_OK;
}

void DispatchArguments::clear() noexcept
{
    for (size_t index = 0; index < m_count; ++index) {
        // By-reference values belong to the caller; VariantClear leaves them alone.
        VariantClear(&m_values[index]);
    }
    m_count = 0;
}

DISPPARAMS DispatchArguments::params() noexcept
{
    for (size_t index = 0; index < m_count; ++index) {
        m_reversed[m_count - 1 - index] = m_values[index];
    }
    DISPPARAMS params{};
    params.rgvarg = m_count ? m_reversed.data() : nullptr;
    params.cArgs = static_cast<UINT>(m_count);
    params.rgdispidNamedArgs = nullptr;
    params.cNamedArgs = 0;
    return params;
}

HRESULT InvokeSink(IDispatch* sink, DISPID id, DispatchArguments& arguments) noexcept
{
    RETURN_HR_IF_NULL(E_POINTER, sink);
    DISPPARAMS params = arguments.params();
    unique_variant result;
    return sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.get(), nullptr, nullptr);
}

}  // namespace tolv::com
