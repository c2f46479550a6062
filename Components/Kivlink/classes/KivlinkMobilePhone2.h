#pragma once
// KivVolume2: the file interface of the suite's plug-ins, and the source of the server's
// events to them.
#include "KivlinkTypeLibrary.h"

#include "core/KivString.h"
#include "core/KivlinkEvents.h"

class CRequestData;

#include "com/ConnectionPoint.h"
#include "com/ErrorInfo.h"

class CKivlinkMobilePhone2 : public tolv::com::DispatchImpl<IKivVolume2, g_kivlinkTypeLibrary>,
                             public tolv::com::SupportErrorInfoImpl<IKivVolume2>,
                             public tolv::com::ConnectionPointContainer,
                             public IKivlinkEventsBroadcast,
                             public IKivlinkActionEventsCallback {
public:
    using interface_map = tolv::com::interface_map<IKivVolume2, ISupportErrorInfo, IConnectionPointContainer>;

    CKivlinkMobilePhone2();
    HRESULT FinalConstruct();
    void FinalRelease();

    HRESULT STDMETHODCALLTYPE ListDevices(BSTR* devices) override;
    HRESULT STDMETHODCALLTYPE SelectDevice(BSTR DeviceName) override;
    HRESULT STDMETHODCALLTYPE ListDrives(BSTR* drives) override;
    HRESULT STDMETHODCALLTYPE FormatDrive(BSTR driveName, LONG ExecutionFlags) override;
    HRESULT STDMETHODCALLTYPE BackupDrive(BSTR BackupPath, BSTR DeviceDrive, LONG ExecutionFlags) override;
    HRESULT STDMETHODCALLTYPE RestoreDrive(BSTR BackupPath, BSTR DeviceDrive, LONG ExecutionFlags) override;
    HRESULT STDMETHODCALLTYPE ListEntries(BSTR path, VARIANT_BOOL bRecursive, BSTR* entries) override;
    HRESULT STDMETHODCALLTYPE GetInfo(BSTR entry, BSTR* info) override;
    HRESULT STDMETHODCALLTYPE CopyToPC(BSTR source, BSTR destination, LONG ExecutionFlags) override;
    HRESULT STDMETHODCALLTYPE CopyFromPC(BSTR source, BSTR destination, LONG ExecutionFlags) override;
    HRESULT STDMETHODCALLTYPE CopyInDevice(BSTR source, BSTR destination, LONG ExecutionFlags) override;
    HRESULT STDMETHODCALLTYPE RemoveEntry(BSTR entry) override;
    HRESULT STDMETHODCALLTYPE CreateEntry(BSTR entry) override;

    // From the server's main thread.
    HRESULT Connected(BSTR deviceName, BSTR deviceInformation) override;
    HRESULT Disconnected(BSTR deviceName) override;
    HRESULT Progress(long action, BSTR path, long percentage, VARIANT_BOOL* cancel) override;
    HRESULT Completion(long action, BSTR path, long result) override;

private:
    static HRESULT Report(HRESULT hr);
    static unsigned PointerNumber(const void* pointer);
    // The validity test of phone paths; a destination must also be free of wildcards.
    static bool IsValidPath(BSTR path);
    static bool IsValidDestination(BSTR path);
    // The request's own result, or the failure of sending it.
    HRESULT SendToFileWorker(CRequestData& record);
    HRESULT SendLongOperation(CRequestData& record);

    CKivString m_selectedDevice;

    tolv::com::ConnectionPoint& m_events;
    bool m_attached = false;
};
