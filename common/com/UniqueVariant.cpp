#include "com/UniqueVariant.h"

#include "com/HResult.h"

namespace tolv::com {

HRESULT unique_variant::copy_from(const VARIANT& source) noexcept
{
    if (&source == &m_value) {
        return S_OK;
    }
    VARIANT copy;
    VariantInit(&copy);
    RETURN_IF_FAILED(VariantCopy(&copy, const_cast<VARIANT*>(&source)));
    VariantClear(&m_value);
    m_value = copy;
    return S_OK;
}

HRESULT unique_variant::copy_to(VARIANT* target) const noexcept
{
    RETURN_HR_IF_NULL(E_POINTER, target);
    VariantInit(target);
    return VariantCopy(target, const_cast<VARIANT*>(&m_value));
}

HRESULT unique_variant::set_string(const wchar_t* text) noexcept
{
    BSTR value = SysAllocString(text ? text : L"");
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, value);
    reset();
    m_value.vt = VT_BSTR;
    m_value.bstrVal = value;
    return S_OK;
}

void unique_variant::set_unknown(IUnknown* object) noexcept
{
    if (object != nullptr) {
        object->AddRef();
    }
    reset();
    m_value.vt = VT_UNKNOWN;
    m_value.punkVal = object;
}

}  // namespace tolv::com
