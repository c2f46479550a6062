#include "trace/VariantToTraceText.h"

#include "trace/WideToAnsi.h"

#include <oleauto.h>
#include <cstdio>

std::string VariantToTraceText(const VARIANT* value)
{
    if (!value)
        return "NULL";
    switch (V_VT(value)) {
    case VT_EMPTY:
        return "VT_EMPTY";
    case VT_BSTR:
        return tolv::trace::WideToAnsi(V_BSTR(value), SysStringLen(V_BSTR(value)));
    case VT_I4: {
        char number[16];
        std::snprintf(number, sizeof(number), "%ld", static_cast<long>(V_I4(value)));
        return number;
    }
    case VT_BOOL:
        return V_BOOL(value) == VARIANT_TRUE ? "True" : "False";
    default:
        return "Data Type not defined for Trace";
    }
}
