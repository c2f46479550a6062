#pragma once
// What a file-worker operation works with: the worker's phone binding, the connected device
// of its model, the tracker of long operations and the worker's trace.
#include "core/SymbianConnectRT.h"

#include <windows.h>

class CKivlinkNotificationHandler;
class CSymbianDevice;
class CTolvTrace;

struct CKivFileContext {
    CSymbianConnectRT* binding = nullptr;
    // The current device, as the connection wait found it.
    CSymbianDevice* device = nullptr;
    // Null when the server runs no notification thread: long operations then fail.
    CKivlinkNotificationHandler* handler = nullptr;
    CTolvTrace* trace = nullptr;

    // Ends a blocked wait with KIV_E_BADCONNECTION.
    HANDLE DisconnectEvent() const { return binding ? binding->DisconnectedEvent() : nullptr; }
};
