// Creating an object in a local server that ends by itself after its last client (Kivlink,
// the phone simulator). Under Wine a server that has just decided to end still answers for a
// moment with its suspended class objects and refuses the creation; COM starts a new server
// at the next attempt, so such a creation is tried again for a while.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "com/ComPtr.h"

namespace tolv::com {

// Whether a failed creation may succeed when tried again: the failures of a server that is
// ending (under Wine its suspended class objects answer E_NOINTERFACE or E_FAIL).
bool IsPassingCreationFailure(HRESULT hr) noexcept;

// The server revokes its class objects about a second after it decided to end: a few tries
// spread over more than that. Few, since each try may have COM start another server.
inline constexpr int kLocalServerCreationAttempts = 5;
inline constexpr DWORD kLocalServerCreationPauseMs = 500;

template <class Interface>
HRESULT CreateInLocalServer(REFCLSID clsid, com_ptr<Interface>& object) noexcept
{
    HRESULT hr = E_FAIL;
    for (int attempt = 0; attempt < kLocalServerCreationAttempts; ++attempt) {
        if (attempt > 0) {
            Sleep(kLocalServerCreationPauseMs);
        }
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, __uuidof(Interface), object.put_void());
        if (!IsPassingCreationFailure(hr)) {
            break;
        }
    }
    return hr;
}

}  // namespace tolv::com
