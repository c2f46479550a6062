// Error objects: ISupportErrorInfo for a class, setting the thread's error object when a
// method fails, and reading it back on the client side.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "com/UniqueBstr.h"

namespace tolv::com {

// Answers S_OK for the listed interfaces and S_FALSE for any other.
template <class... Interfaces>
class SupportErrorInfoImpl : public ISupportErrorInfo {
public:
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override
    {
        return (InlineIsEqualGUID(iid, __uuidof(Interfaces)) || ...) ? S_OK : S_FALSE;
    }
};

// For a failure code: creates an error object with the source, description and interface
// and makes it the thread's error object. Success codes leave the error object alone.
// Returns `hr`, so that a method can end with `return SetErrorInfoFor(hr, ...)`.
HRESULT SetErrorInfoFor(HRESULT hr, const wchar_t* source, const wchar_t* description, REFIID iid) noexcept;

struct ErrorDetails {
    GUID iid = GUID_NULL;
    unique_bstr source;
    unique_bstr description;
};

// Takes the thread's current error object (which clears it, as GetErrorInfo does). S_OK
// with the details, S_FALSE when there is none.
HRESULT TakeErrorInfo(ErrorDetails& details) noexcept;

// Client side after a failed call on `object` through `iid`: takes the error object only
// if the object declares, through ISupportErrorInfo, that it sets one for that interface.
HRESULT TakeErrorInfoFrom(IUnknown* object, REFIID iid, ErrorDetails& details) noexcept;

}  // namespace tolv::com
