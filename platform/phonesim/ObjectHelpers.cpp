#include "platform/phonesim/ObjectHelpers.h"

#include <algorithm>

#include "com/UniqueVariant.h"
#include "platform/phonesim/SimResults.h"

namespace phonesim {

HRESULT ReturnText(const std::wstring& text, BSTR* result) noexcept
{
    if (result == nullptr) {
        return E_POINTER;
    }
    *result = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *result != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnLong(LONG value, LONG* result) noexcept
{
    if (result == nullptr) {
        return E_POINTER;
    }
    *result = value;
    return S_OK;
}

HRESULT ReturnFlag(bool value, VARIANT_BOOL* result) noexcept
{
    if (result == nullptr) {
        return E_POINTER;
    }
    *result = value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT IndexFromVariant(const VARIANT& index, size_t count, size_t& zeroBased) noexcept
{
    tolv::com::unique_variant converted;
    const HRESULT hr = VariantChangeType(converted.get(), const_cast<VARIANT*>(&index), 0, VT_I4);
    if (FAILED(hr)) {
        return E_INVALIDARG;
    }
    const LONG value = converted.get()->lVal;
    if (value < 1 || static_cast<size_t>(value) > count) {
        return E_INVALIDARG;
    }
    zeroBased = static_cast<size_t>(value) - 1;
    return S_OK;
}

HRESULT CheckConnected(const CSimPhone& phone) noexcept
{
    return phone.IsConnected() ? S_OK : kNotConnected;
}

LONG LowHalf(unsigned long long value) noexcept
{
    return static_cast<LONG>(static_cast<DWORD>(value & 0xFFFFFFFFu));
}

LONG HighHalf(unsigned long long value) noexcept
{
    return static_cast<LONG>(static_cast<DWORD>(value >> 32));
}

LONG SaturatedLong(unsigned long long value) noexcept
{
    return static_cast<LONG>(std::min<unsigned long long>(value, 0x7FFFFFFF));
}

std::wstring TextOf(BSTR text)
{
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

}  // namespace phonesim
