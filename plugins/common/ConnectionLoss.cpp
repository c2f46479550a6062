#include "ConnectionLoss.h"

#include "ErrorCodes.h"

namespace tolv::plugins {

bool IsConnectionLost(HRESULT hr)
{
    switch (hr) {
    case RPC_E_WRONG_THREAD:
    case CO_E_OBJNOTCONNECTED:
    case KIV_E_NOCONNECTION:
    case KIV_E_BADCONNECTION:
    case KIV_E_DRIVENOTFOUND:
    case KIV_E_FOLDERNOTFOUND:
    case kRpcServerUnavailable:
    case kConnectionAborted:
        return true;
    default:
        return false;
    }
}

}  // namespace tolv::plugins
