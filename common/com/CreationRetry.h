// Creating an object in a local server that may be just ending. Such a server refuses new
// objects for a moment (under Wine its suspended class objects answer E_NOINTERFACE or E_FAIL);
// the next attempt has COM start a new one.
#pragma once

#include <windows.h>

#include "com/ComPtr.h"

namespace tolv::com {

// Whether a failed creation may succeed when tried again: the failures of a server that is ending.
bool IsPassingCreationFailure(HRESULT hr);

// CoCreateInstance, tried again a few times while it fails with a passing failure.
HRESULT CreateInstanceRetrying(REFCLSID clsid, DWORD contexts, REFIID iid, void** object);

template <class Interface>
HRESULT CreateInstanceRetrying(REFCLSID clsid, DWORD contexts, com_ptr<Interface>& object)
{
    return CreateInstanceRetrying(clsid, contexts, __uuidof(Interface), object.put_void());
}

}  // namespace tolv::com
