#pragma once
// How the model talks to the phone library: a failed call becomes a CKivComError carrying
// its HRESULT and its place (KIV_THROW_IF_FAILED), a missing interface pointer E_POINTER, and
// each model operation turns the error back into its result with an "ERROR [unit line]" trace
// line naming the call that failed.
#include "Components/Kivlink/core/KivComError.h"
#include "Components/Kivlink/core/KivString.h"

#include "com/UniqueBstr.h"
#include "com/UniqueVariant.h"
#include "trace/TraceResult.h"

#include <windows.h>
#include <oleauto.h>

#include <new>

template <class I>
I* RequirePointer(I* pointer, const tolv::trace::site& where)
{
    if (!pointer)
        throw CKivComError(E_POINTER, where);
    return pointer;
}
// The interface pointer, or a CKivComError(E_POINTER) naming this line.
#define KIV_REQUIRE(pointer) RequirePointer((pointer), TOLV_HERE)

// A text argument for a phone call.
inline tolv::com::unique_bstr TextArgument(const wchar_t* text, const tolv::trace::site& where)
{
    tolv::com::unique_bstr value(text ? text : L"");
    if (!value.get())
        throw CKivComError(E_OUTOFMEMORY, where);
    return value;
}
#define KIV_TEXT_ARGUMENT(text) TextArgument((text), TOLV_HERE)

// A BSTR answered by the phone, owned from here on.
inline CKivString AdoptText(BSTR text)
{
    if (!text)
        return CKivString();
    return CKivString::Attach(text);
}

// The name after the last backslash; for a path that ends with one, the name before it.
CKivString LastPathComponent(const CKivString& path);

// Runs body (which returns an HRESULT and may raise CKivComError) as one model operation;
// `operation` (TOLV_HERE) names it when memory runs out.
template <class Body>
HRESULT RunPhoneOperation(CTolvTrace* trace, const tolv::trace::site& operation, Body&& body)
{
    try {
        return body();
    } catch (const CKivComError& error) {
        tolv::trace::Error(error.Where(), trace);
        return error.Error();
    } catch (const std::bad_alloc&) {
        tolv::trace::Error(operation, trace);
        return E_OUTOFMEMORY;
    }
}
