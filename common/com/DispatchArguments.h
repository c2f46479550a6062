// The argument list of an IDispatch::Invoke call (an event to a sink), given in declaration
// order and handed to Invoke in the reverse order that DISPPARAMS expects.
#pragma once

#include <array>

#include <windows.h>
#include <ole2.h>

namespace tolv::com {

class DispatchArguments {
public:
    static constexpr size_t kMaximum = 16;

    DispatchArguments() noexcept = default;
    ~DispatchArguments() { clear(); }
    DispatchArguments(const DispatchArguments&) = delete;
    DispatchArguments& operator=(const DispatchArguments&) = delete;

    // Each returns DISP_E_BADPARAMCOUNT when the list is full.
    HRESULT add_long(LONG value) noexcept;
    HRESULT add_bool(bool value) noexcept;
    // A text that cannot be copied becomes a VT_ERROR argument carrying E_OUTOFMEMORY, so the
    // call still has its shape; that is reported as E_OUTOFMEMORY here.
    HRESULT add_string(const wchar_t* text) noexcept;
    // VT_BOOL | VT_BYREF: the sink may write through it; `flag` must outlive the calls.
    HRESULT add_bool_ref(VARIANT_BOOL* flag) noexcept;
    // A deep copy of any value.
    HRESULT add(const VARIANT& value) noexcept;

    size_t size() const noexcept { return m_count; }
    // Declaration order; index 0 is the first argument.
    const VARIANT& operator[](size_t index) const noexcept { return m_values[index]; }
    void clear() noexcept;

    // Valid until the list changes. Sinks get no named arguments.
    DISPPARAMS params() noexcept;

private:
    VARIANT* next_slot() noexcept;

    std::array<VARIANT, kMaximum> m_values{};
    std::array<VARIANT, kMaximum> m_reversed{};
    size_t m_count = 0;
};

// Calls one sink as an event: DISPATCH_METHOD, the user's default locale, the result discarded.
HRESULT InvokeSink(IDispatch* sink, DISPID id, DispatchArguments& arguments) noexcept;

}  // namespace tolv::com
