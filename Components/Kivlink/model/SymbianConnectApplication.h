#pragma once
// The phone library's root object, created the way every binding and the device
// information need it: all contexts, put into the running state, then asked for its root
// interface.
#include "com/ComPtr.h"

#include "SymbianConnect.h"

// S_OK with the object; S_OK without one when the object does not answer an interface on
// the way (E_NOINTERFACE); any other failure as it came.
HRESULT CreateSymbianConnectApplication(tolv::com::com_ptr<ISCApplication>& application);
