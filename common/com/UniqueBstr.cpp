#include "com/UniqueBstr.h"

namespace tolv::com {

unique_bstr::unique_bstr(const char* text, UINT codePage) noexcept
{
    if (text == nullptr) {
        return;
    }
    const int length = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (length <= 0) {
        return;
    }
    // The count includes the terminator, which SysAllocStringLen adds itself.
    BSTR value = SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (value == nullptr) {
        return;
    }
    if (MultiByteToWideChar(codePage, 0, text, -1, value, length) != length) {
        SysFreeString(value);
        return;
    }
    m_value = value;
}

HRESULT unique_bstr::copy_to(BSTR* target) const noexcept
{
    if (target == nullptr) {
        return E_POINTER;
    }
    *target = copy();
    return (*target == nullptr && m_value != nullptr) ? E_OUTOFMEMORY : S_OK;
}

}  // namespace tolv::com
