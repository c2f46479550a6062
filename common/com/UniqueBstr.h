// unique_bstr: the one owner of a BSTR. A null BSTR is the empty string, as in Automation.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string_view>

namespace tolv::com {

class unique_bstr {
public:
    unique_bstr() noexcept = default;
    // Copies the text; on allocation failure the owner stays empty (check get() against the
    // input where that matters).
    explicit unique_bstr(const wchar_t* text) noexcept : m_value(text ? SysAllocString(text) : nullptr) {}
    unique_bstr(const wchar_t* text, UINT length) noexcept : m_value(SysAllocStringLen(text, length)) {}
    // Converts narrow text in the given code page (the ANSI code page by default).
    explicit unique_bstr(const char* text, UINT codePage = CP_ACP) noexcept;
    // The whole text, embedded nulls included.
    explicit unique_bstr(std::wstring_view text) noexcept
        : m_value(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())))
    {
    }
    ~unique_bstr() { SysFreeString(m_value); }

    unique_bstr(unique_bstr&& other) noexcept : m_value(other.release()) {}
    unique_bstr& operator=(unique_bstr&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    unique_bstr(const unique_bstr&) = delete;
    unique_bstr& operator=(const unique_bstr&) = delete;

    BSTR get() const noexcept { return m_value; }
    // Frees the current string and hands out the slot for an [out] BSTR* parameter.
    BSTR* put() noexcept
    {
        reset();
        return &m_value;
    }
    BSTR release() noexcept
    {
        BSTR value = m_value;
        m_value = nullptr;
        return value;
    }
    void reset(BSTR value = nullptr) noexcept
    {
        if (value != m_value) {
            SysFreeString(m_value);
        }
        m_value = value;
    }

    // A fresh copy for the caller to own, e.g. for an [out, retval] BSTR. Null for an empty
    // owner; null for a non-empty one only when memory ran out.
    BSTR copy() const noexcept { return m_value ? SysAllocStringLen(m_value, SysStringLen(m_value)) : nullptr; }
    // Same as copy(), with allocation failure reported as E_OUTOFMEMORY.
    HRESULT copy_to(BSTR* target) const noexcept;

    UINT length() const noexcept { return SysStringLen(m_value); }
    bool empty() const noexcept { return length() == 0; }
    // Never null, for printing and comparisons.
    const wchar_t* c_str() const noexcept { return m_value ? m_value : L""; }

private:
    BSTR m_value = nullptr;
};

}  // namespace tolv::com
