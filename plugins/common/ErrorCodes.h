#pragma once
// The failures the plug-ins tell the user about, beside the phone server's own codes.
#include <windows.h>

#include "KivlinkLib.h"

namespace tolv::plugins {

inline constexpr HRESULT kTimedOut = HRESULT_FROM_WIN32(ERROR_TIMEOUT);
inline constexpr HRESULT kDiskFull = HRESULT_FROM_WIN32(ERROR_DISK_FULL);
inline constexpr HRESULT kRpcServerUnavailable = HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
inline constexpr HRESULT kConnectionAborted = HRESULT_FROM_WIN32(WSAECONNABORTED);
inline constexpr HRESULT kNetworkNotConnected = HRESULT_FROM_WIN32(ERROR_NOT_CONNECTED);

// Every code after which the phone is told to be gone: the connection-loss codes (without the
// wrong-thread one, a fault of the caller) and a network connection that does not exist.
inline constexpr HRESULT kLostConnectionMessageCodes[] = {
    KIV_E_BADCONNECTION,  KIV_E_NOCONNECTION, CO_E_OBJNOTCONNECTED,  KIV_E_DRIVENOTFOUND,
    KIV_E_FOLDERNOTFOUND, kConnectionAborted, kRpcServerUnavailable, kNetworkNotConnected,
};

}  // namespace tolv::plugins
