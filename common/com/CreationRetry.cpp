#include "com/CreationRetry.h"

namespace tolv::com {

namespace {

// Our servers revoke their class objects a second or two after they decided to end: a few
// tries spread over more than that. Few, since each try may have COM start another server.
constexpr int kCreationAttempts = 5;
constexpr DWORD kCreationPauseMs = 500;

}  // namespace

bool IsPassingCreationFailure(HRESULT hr)
{
    switch (hr) {
    case CO_E_SERVER_STOPPING:
    case E_NOINTERFACE:
    case E_FAIL:
    case RPC_E_DISCONNECTED:
    case RPC_E_SERVER_DIED:
    case RPC_E_SERVER_DIED_DNE:
    case RPC_E_CALL_REJECTED:
        return true;
    default:
        return false;
    }
}

HRESULT CreateInstanceRetrying(REFCLSID clsid, DWORD contexts, REFIID iid, void** object)
{
    HRESULT hr = E_FAIL;
    for (int attempt = 0; attempt < kCreationAttempts; ++attempt) {
        if (attempt > 0) {
            Sleep(kCreationPauseMs);
        }
        hr = CoCreateInstance(clsid, nullptr, contexts, iid, object);
        if (!IsPassingCreationFailure(hr)) {
            break;
        }
    }
    return hr;
}

}  // namespace tolv::com
