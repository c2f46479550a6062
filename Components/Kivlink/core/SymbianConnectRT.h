#pragma once
// The binding of one worker to the phone library: its application object and the events that
// tell whether a phone is connected.
#include "com/ComPtr.h"
#include "com/UniqueHandle.h"

#include <windows.h>

class CTolvTrace;

class CSymbianConnectRT {
public:
    CSymbianConnectRT(int bindingId, CTolvTrace* trace);
    ~CSymbianConnectRT();
    CSymbianConnectRT(const CSymbianConnectRT&) = delete;
    CSymbianConnectRT& operator=(const CSymbianConnectRT&) = delete;

    // Creates the events and the application object. Returns the COM error that kept the
    // library from binding, or S_OK (also when no phone is connected).
    HRESULT Init();
    void Release();

    // S_OK at once while a phone is known; otherwise waits up to timeoutMs for a connection.
    HRESULT WaitForConnection(DWORD timeoutMs);

    void SignalConnected();
    void SignalDisconnected();

    // Drops cached folder contents (path, and whether the path's parent is meant).
    HRESULT InvalidateParent(const wchar_t* path, bool parent);
    HRESULT InvalidateAll();

    int BindingId() const { return m_bindingId; }
    HANDLE DisconnectedEvent() const { return m_disconnected.get(); }

private:
    bool IsPhoneKnown() const;

    int m_bindingId;
    CTolvTrace* m_trace;
    tolv::com::unique_handle m_connected;
    tolv::com::unique_handle m_disconnected;
    tolv::com::com_ptr<IUnknown> m_application;
    bool m_phoneKnown = false;
};
