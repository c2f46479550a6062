#pragma once
// How the model talks to the phone library: a failed call becomes a CKivComError carrying
// its HRESULT, a missing interface pointer E_POINTER, and each model operation turns the
// error back into its result with an "ERROR [unit line]" trace line.
#include "Components/Kivlink/core/KivComError.h"
#include "Components/Kivlink/core/KivString.h"

#include "com/UniqueBstr.h"
#include "trace/TolvTrace.h"

#include <windows.h>
#include <oleauto.h>

#include <new>

// A collection index as the phone library takes it: a 4-byte integer variant.
inline VARIANT IndexVariant(long index)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = index;
    return value;
}

template <class I>
I* RequirePointer(I* pointer)
{
    if (!pointer)
        throw CKivComError(E_POINTER);
    return pointer;
}

// A text argument for a phone call.
inline tolv::com::unique_bstr TextArgument(const wchar_t* text)
{
    tolv::com::unique_bstr value(text ? text : L"");
    if (!value.get())
        throw CKivComError(E_OUTOFMEMORY);
    return value;
}

// A BSTR answered by the phone, owned from here on.
inline CKivString AdoptText(BSTR text)
{
    if (!text)
        return CKivString();
    return CKivString::Attach(text);
}

// The name after the last backslash; for a path that ends with one, the name before it.
CKivString LastPathComponent(const CKivString& path);

// Runs body (which returns an HRESULT and may raise CKivComError) as one model operation.
template <class Body>
HRESULT RunPhoneOperation(CTolvTrace* trace, const char* unit, int line, Body&& body)
{
    try {
        return body();
    } catch (const CKivComError& error) {
        if (trace)
            trace->Format(1, "ERROR [%s %d]", unit, line);
        return error.Error();
    } catch (const std::bad_alloc&) {
        if (trace)
            trace->Format(1, "ERROR [%s %d]", unit, line);
        return E_OUTOFMEMORY;
    }
}
