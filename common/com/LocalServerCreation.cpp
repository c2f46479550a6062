#include "com/LocalServerCreation.h"

namespace tolv::com {

bool IsPassingCreationFailure(HRESULT hr) noexcept
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

}  // namespace tolv::com
