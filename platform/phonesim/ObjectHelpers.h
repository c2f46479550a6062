// Small pieces shared by the phone objects' methods.
#pragma once

#include <string>

#include <windows.h>
#include <ole2.h>

#include "platform/phonesim/SimPhone.h"

namespace phonesim {

HRESULT ReturnText(const std::wstring& text, BSTR* result) noexcept;
HRESULT ReturnLong(LONG value, LONG* result) noexcept;
HRESULT ReturnFlag(bool value, VARIANT_BOOL* result) noexcept;
// A collection index: 1-based, any type that converts to VT_I4.
HRESULT IndexFromVariant(const VARIANT& index, size_t count, size_t& zeroBased) noexcept;
// S_OK while the phone is connected, else kNotConnected.
HRESULT CheckConnected(const CSimPhone& phone) noexcept;
// The low and high 32 bits of a 64-bit value; the low half's bits unsigned in a LONG.
LONG LowHalf(unsigned long long value) noexcept;
LONG HighHalf(unsigned long long value) noexcept;
// A size reported in a LONG: at most 2147483647.
LONG SaturatedLong(unsigned long long value) noexcept;
std::wstring TextOf(BSTR text);

}  // namespace phonesim
