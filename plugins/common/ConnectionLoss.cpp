#include "ConnectionLoss.h"

#include "KivlinkLib.h"

namespace plugins {

namespace {

constexpr HRESULT kRpcServerUnavailable = HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
constexpr HRESULT kConnectionAborted = HRESULT_FROM_WIN32(WSAECONNABORTED);

}  // namespace

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

}  // namespace plugins
