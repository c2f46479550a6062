// Whether a failed call failed because the other side of it is no longer there (its process
// ended or its objects were disconnected), as opposed to the call itself failing: a caller
// that keeps a peer's interface should drop it then, since every later call fails the same way.
#pragma once

#include <windows.h>

namespace tolv::com {

inline bool IsPeerGone(HRESULT hr) noexcept
{
    switch (hr) {
    case RPC_E_DISCONNECTED:
    case RPC_E_SERVER_DIED:
    case RPC_E_SERVER_DIED_DNE:
    case CO_E_OBJNOTCONNECTED:
    case MAKE_HRESULT(SEVERITY_ERROR, FACILITY_WIN32, RPC_S_SERVER_UNAVAILABLE):
    case MAKE_HRESULT(SEVERITY_ERROR, FACILITY_WIN32, RPC_S_CALL_FAILED):
    case MAKE_HRESULT(SEVERITY_ERROR, FACILITY_WIN32, RPC_S_CALL_FAILED_DNE):
        return true;
    default:
        return false;
    }
}

}  // namespace tolv::com
