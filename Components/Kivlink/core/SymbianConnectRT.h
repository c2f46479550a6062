#pragma once
// The binding of one worker (the file worker, 1, or the listing worker, 3) to the phone
// library: its application object, its own model of the connected devices and the events
// that tell whether a phone is connected.
//
// The model belongs to the binding's worker thread alone. Connects and disconnects reach the
// binding on the notification thread, which must not touch that model while the worker may
// be walking it; it therefore reads the new device list into a ring of its own and hands it
// over under a lock that guards only the hand-over. The worker takes it over at its next use
// of the model (the connection wait, the current device), so that every read, drop and walk
// of its model happens on its own thread, and the notification thread never waits for a
// request the worker is running.
#include "Components/Kivlink/model/FileDescription.h"
#include "Components/Kivlink/model/SymbianDevice.h"

#include "com/ComPtr.h"
#include "com/CriticalSection.h"
#include "com/StubRegistrationKeeper.h"
#include "com/UniqueHandle.h"

#include "SymbianConnect.h"

#include <windows.h>

#include <vector>

class CTolvTrace;
class IKivServerServices;

class CSymbianConnectRT {
public:
    // services may be null (a binding without a server, as in tests): then it is registered
    // with no notification thread and passes no invalidation on.
    CSymbianConnectRT(int bindingId, CTolvTrace* trace, IKivServerServices* services);
    ~CSymbianConnectRT();
    CSymbianConnectRT(const CSymbianConnectRT&) = delete;
    CSymbianConnectRT& operator=(const CSymbianConnectRT&) = delete;

    // Creates the events and the application object, reads the device model and registers
    // with the notification thread. Returns the COM error that kept the library from binding,
    // or S_OK (also when no phone is connected).
    HRESULT Init();
    // Leaves the notification thread, closes the events and drops the model.
    void Release();

    HRESULT GetApplication(tolv::com::com_ptr<ISCApplication>& application) const;

    // S_OK at once while a phone is known; otherwise waits up to timeoutMs for a connection.
    // device (may be null) receives the current device's description.
    HRESULT WaitForConnection(DWORD timeoutMs, CFileDescription* device);
    // The first device of the model, read first if the model is empty; KIV_E_NOCONNECTION
    // when there is none.
    HRESULT GetCurrentDeviceDescription(CFileDescription& device);
    // Drops the device list and reads it again; the descriptions of all devices, current first.
    HRESULT RereadDeviceList(std::vector<CFileDescription>& devices);

    // Notification thread: the phone library reported a connect or a disconnect.
    void SignalConnected();
    void SignalDisconnected();

    // After an operation changed the phone (file worker): drops the cached contents of the
    // folder holding path and passes the invalidation on to the listing worker. Returns the
    // result of looking that folder up.
    HRESULT OnInvalidateParent(const wchar_t* path, bool notify);
    // Only the drop in this binding's own model; folderPath receives the folder's full name.
    HRESULT InvalidateParentFolder(const wchar_t* path, CKivString* folderPath);
    // Drops every drive ring of the model.
    HRESULT OnInvalidateAll();

    int BindingId() const { return m_bindingId; }
    HANDLE ConnectedEvent() const { return m_connected.get(); }
    HANDLE DisconnectedEvent() const { return m_disconnected.get(); }

private:
    // Reads the devices of application into a new ring with their descriptions.
    HRESULT ReadDevices(CSymbianDevice*& head, std::vector<CFileDescription>& descriptions) const;
    // The worker's own read: only into an empty model.
    HRESULT ReadDeviceList();
    void DropDeviceList();
    // Takes over the device list the notification thread read last, if any.
    void AdoptSignalledDevices();
    // Notification thread: reads the device list for the worker; answers whether a device is known.
    bool ReadDevicesForWorker();

    int m_bindingId;
    CTolvTrace* m_trace;
    IKivServerServices* m_services;
    tolv::com::unique_handle m_connected;
    tolv::com::unique_handle m_disconnected;
    tolv::com::com_ptr<ISCApplication> m_application;
    CSymbianDevice* m_devices = nullptr;
    std::vector<CFileDescription> m_descriptions;
    bool m_registered = false;
    bool m_keepingProxies = false;
    // The phone library lets the binding's sink go while its last event call may still be
    // finishing here.
    tolv::com::stub_registration_keeper m_eventInterfaces;

    tolv::com::critical_section m_handOverLock;
    bool m_handOverReady = false;
    CSymbianDevice* m_handOverDevices = nullptr;
    std::vector<CFileDescription> m_handOverDescriptions;
};
