#include "platform/kivproxy/EventRefire.h"

#include <array>

#include "com/DispatchArguments.h"

namespace kivproxy {

namespace {

constexpr VARTYPE kFlagReference = VT_BOOL | VT_BYREF;

bool IsFlagReference(const VARIANT& value)
{
    return V_VT(&value) == kFlagReference && V_BOOLREF(&value) != nullptr;
}

// The received argument of declaration position `index` (DISPPARAMS holds them reversed).
VARIANT& Received(DISPPARAMS& params, UINT index)
{
    return params.rgvarg[params.cArgs - 1 - index];
}

}  // namespace

HRESULT RefireToSinks(const tolv::com::ConnectionPoint& point, DISPID id, DISPPARAMS& params) noexcept
{
    if (params.cArgs > tolv::com::DispatchArguments::kMaximum || (params.cArgs > 0 && params.rgvarg == nullptr)) {
        return DISP_E_BADPARAMCOUNT;
    }
    std::vector<tolv::com::com_ptr<IDispatch>> sinks;
    RETURN_IF_FAILED(point.Sinks(sinks));
    for (const auto& sink : sinks) {
        std::array<VARIANT_BOOL, tolv::com::DispatchArguments::kMaximum> flags{};
        tolv::com::DispatchArguments arguments;
        for (UINT index = 0; index < params.cArgs; ++index) {
            const VARIANT& value = Received(params, index);
            if (IsFlagReference(value)) {
                flags[index] = VARIANT_FALSE;
                arguments.add_bool_ref(&flags[index]);
            } else {
                arguments.add(value);
            }
        }
        tolv::com::InvokeSink(sink.get(), id, arguments);
        for (UINT index = 0; index < params.cArgs; ++index) {
            VARIANT& value = Received(params, index);
            if (IsFlagReference(value) && flags[index] == VARIANT_TRUE) {
                *V_BOOLREF(&value) = VARIANT_TRUE;
            }
        }
    }
    return S_OK;
}

}  // namespace kivproxy
