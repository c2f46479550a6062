// Dispatch identifiers of the events the proxy receives and sends.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace kivproxy {

// Kivlink's IKivAllServerEvents, as Kivlink sends them: 1 and 2 are not declared in Kivlink's
// type library but arrive through Invoke all the same, and the proxy passes them on too.
inline constexpr DISPID kKivlinkDeviceConnected = 1;
inline constexpr DISPID kKivlinkDeviceDisconnected = 2;
inline constexpr DISPID kKivlinkOperationProgress = 3;
inline constexpr DISPID kKivlinkOperationCompletion = 4;

// The proxy's own _IKivProxyServerEvents.
inline constexpr DISPID kPhoneConnected = 1;
inline constexpr DISPID kOperationStarted = 2;
inline constexpr DISPID kOperationEnded = 3;
inline constexpr DISPID kKivlinkLost = 4;
inline constexpr DISPID kKivlinkBack = 5;
inline constexpr DISPID kPhoneDisconnected = 6;

}  // namespace kivproxy
