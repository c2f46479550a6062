#pragma once
// The two internal interfaces through which the server's main thread drives the objects that
// clients hold: connect and disconnect notices to every listener, progress and completion of
// a long operation to the object that started it.
#include <windows.h>
#include <oleauto.h>

struct IKivlinkEventsBroadcast {
    virtual HRESULT Connected(BSTR deviceName, BSTR deviceInformation) = 0;
    virtual HRESULT Disconnected(BSTR deviceName) = 0;

protected:
    ~IKivlinkEventsBroadcast() = default;
};

struct IKivlinkActionEventsCallback {
    virtual HRESULT Progress(long action, BSTR path, long percentage, VARIANT_BOOL* cancel) = 0;
    virtual HRESULT Completion(long action, BSTR path, long result) = 0;

protected:
    ~IKivlinkActionEventsCallback() = default;
};
