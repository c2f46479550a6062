// The arguments of an IDispatch::Invoke call that a sink receives, read in declaration order
// (DISPPARAMS holds them reversed) and converted to the types the sink works with.
#pragma once

#include <string>

#include <windows.h>
#include <oaidl.h>

namespace tolv::com {

class InvokeArguments {
public:
    explicit InvokeArguments(const DISPPARAMS& params) noexcept : m_params(params) {}

    bool has_count(UINT expected) const noexcept
    {
        return m_params.cArgs == expected && (expected == 0 || m_params.rgvarg != nullptr);
    }
    // Each converts argument `index` (from 0); a failed conversion is returned.
    HRESULT text(UINT index, std::wstring& value) const;
    // A VT_ERROR argument gives its code: results travel that way.
    HRESULT number(UINT index, long& value) const noexcept;
    // VT_BOOL by reference, also wrapped in a VARIANT by reference; null for anything else.
    VARIANT_BOOL* bool_reference(UINT index) const noexcept;

private:
    const VARIANT& at(UINT index) const noexcept { return m_params.rgvarg[m_params.cArgs - 1 - index]; }

    const DISPPARAMS& m_params;
};

}  // namespace tolv::com
