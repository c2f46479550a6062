// unique_variant: a VARIANT that is initialised on creation and cleared by its owner.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace tolv::com {

// A 4-byte integer VARIANT, as collections take their index; it owns nothing, so it needs no
// clearing.
inline VARIANT LongVariant(LONG value) noexcept
{
    VARIANT variant;
    VariantInit(&variant);
    variant.vt = VT_I4;
    variant.lVal = value;
    return variant;
}

class unique_variant {
public:
    unique_variant() noexcept { VariantInit(&m_value); }
    ~unique_variant() { VariantClear(&m_value); }

    unique_variant(unique_variant&& other) noexcept : m_value(other.release()) {}
    unique_variant& operator=(unique_variant&& other) noexcept
    {
        if (this != &other) {
            VariantClear(&m_value);
            m_value = other.release();
        }
        return *this;
    }
    unique_variant(const unique_variant&) = delete;
    unique_variant& operator=(const unique_variant&) = delete;

    VARIANT* get() noexcept { return &m_value; }
    const VARIANT* get() const noexcept { return &m_value; }
    VARTYPE type() const noexcept { return m_value.vt; }
    // Clears the value and hands out the VARIANT for an [out] parameter.
    VARIANT* put() noexcept
    {
        reset();
        return &m_value;
    }
    void reset() noexcept { VariantClear(&m_value); }
    // Gives up ownership; the caller clears the returned VARIANT.
    VARIANT release() noexcept
    {
        VARIANT value = m_value;
        VariantInit(&m_value);
        return value;
    }
    // Takes ownership of a VARIANT, which is left empty.
    void attach(VARIANT& value) noexcept
    {
        VariantClear(&m_value);
        m_value = value;
        VariantInit(&value);
    }

    // Deep copies (strings, arrays and interface references included). On failure the
    // target keeps its previous value.
    HRESULT copy_from(const VARIANT& source) noexcept;
    // The target is treated as uninitialised: it is overwritten, not cleared.
    HRESULT copy_to(VARIANT* target) const noexcept;

    void set_long(LONG value) noexcept
    {
        reset();
        m_value.vt = VT_I4;
        m_value.lVal = value;
    }
    void set_bool(bool value) noexcept
    {
        reset();
        m_value.vt = VT_BOOL;
        m_value.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    HRESULT set_string(const wchar_t* text) noexcept;
    // Keeps a reference of its own to the object.
    void set_unknown(IUnknown* object) noexcept;
    void set_error(HRESULT code) noexcept
    {
        reset();
        m_value.vt = VT_ERROR;
        m_value.scode = code;
    }

private:
    VARIANT m_value;
};

}  // namespace tolv::com
