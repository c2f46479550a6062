#pragma once
// PhoneServerSymbian: one object offering the server's interfaces and the suite's messaging
// interfaces, each forwarded to an inner object that it keeps.
#include "KivlinkTypeLibrary.h"

#include "com/ComPtr.h"

class CPhoneServerSymbian : public tolv::com::DispatchImpl<IKivGeneral, g_kivlinkTypeLibrary>,
                            public tolv::com::DispatchImpl<IPhoneServer, g_kivlinkTypeLibrary>,
                            public tolv::com::DispatchImpl<IKivVolume, g_kivlinkTypeLibrary>,
                            public tolv::com::DispatchImpl<IKivVolume2, g_kivlinkTypeLibrary>,
                            public tolv::com::DispatchImpl<IDcoMSG, g_kivlinkTypeLibrary>,
                            public tolv::com::DispatchImpl<IDcoMMSCommunicator, g_kivlinkTypeLibrary>,
                            public tolv::com::DispatchImpl<IKivAB, g_kivlinkTypeLibrary> {
public:
    using interface_map = tolv::com::interface_map<IKivGeneral, IPhoneServer, IKivVolume, IKivVolume2, IDcoMSG,
                                                   IDcoMMSCommunicator, IKivAB>;

    HRESULT FinalConstruct();

    // IPhoneServer
    HRESULT STDMETHODCALLTYPE ATCGetNameOfFennel(BSTR* pName) override;

    // IKivGeneral, forwarded
    HRESULT STDMETHODCALLTYPE GetMobileModel(BSTR* pbstrModel) override;
    HRESULT STDMETHODCALLTYPE GetCommPorts(BSTR* pbstrPorts, LONG lflags, LONG* plPortMask) override;
    HRESULT STDMETHODCALLTYPE IsBluetoothPort(LONG lPortId, VARIANT_BOOL* pbIsBT) override;
    HRESULT STDMETHODCALLTYPE SetConnectionBeep(VARIANT_BOOL bBeep) override;
    HRESULT STDMETHODCALLTYPE GetIMEI(BSTR* pbstrIMEI) override;
    HRESULT STDMETHODCALLTYPE GetCharge(LONG* plCharge) override;
    HRESULT STDMETHODCALLTYPE GetSignalQuality(LONG* plLevel, LONG* plBER) override;
    HRESULT STDMETHODCALLTYPE GetMobileManufacturer(BSTR* pbstrManufacturer) override;
    HRESULT STDMETHODCALLTYPE GetMobileInfo(BSTR* pbstrManufacturer, BSTR* pbstrModel, BSTR* pbstrIMEI,
                                            BSTR* pbstrSoftwareVersion, LONG* plCharge) override;
    HRESULT STDMETHODCALLTYPE SuspendConnection() override;
    HRESULT STDMETHODCALLTYPE ResumeConnection() override;
    HRESULT STDMETHODCALLTYPE SetPort(BSTR bstrPort) override;
    HRESULT STDMETHODCALLTYPE ResetPort(BSTR bstrPort) override;
    HRESULT STDMETHODCALLTYPE GetConnectionState(KivGeneralConnectionState* peConnectionState) override;
    // IKivVolume, forwarded
    HRESULT STDMETHODCALLTYPE AddChangeNotification(BSTR path, IUnknown* sink, LONG* token) override;
    HRESULT STDMETHODCALLTYPE BroadcastChangeNotification(BSTR path) override;
    HRESULT STDMETHODCALLTYPE Copy(BSTR existingpath, BSTR newpath) override;
    HRESULT STDMETHODCALLTYPE CreateDir(BSTR path) override;
    HRESULT STDMETHODCALLTYPE CreateStdDirs() override;
    HRESULT STDMETHODCALLTYPE Delete(BSTR path) override;
    HRESULT STDMETHODCALLTYPE Format() override;
    HRESULT STDMETHODCALLTYPE GetCapacity(LONG* total, LONG* free) override;
    HRESULT STDMETHODCALLTYPE GetEntries(BSTR path, VARIANT_BOOL limittodirectories, VARIANT* entries) override;
    HRESULT STDMETHODCALLTYPE GetFile(BSTR path, IUnknown** content) override;
    HRESULT STDMETHODCALLTYPE GetLabel(BSTR* label) override;
    HRESULT STDMETHODCALLTYPE HasSubDirs(BSTR path, VARIANT_BOOL* subdirs) override;
    HRESULT STDMETHODCALLTYPE Move(BSTR existingpath, BSTR newpath) override;
    HRESULT STDMETHODCALLTYPE MoveDir(BSTR existingpath, BSTR newpath) override;
    HRESULT STDMETHODCALLTYPE PutFile(BSTR path, IUnknown* content, LONG attributes) override;
    HRESULT STDMETHODCALLTYPE RemoveChangeNotification(LONG token) override;
    HRESULT STDMETHODCALLTYPE RemoveDir(BSTR path) override;
    HRESULT STDMETHODCALLTYPE SetAttributes(BSTR path, LONG attributes) override;
    HRESULT STDMETHODCALLTYPE SetLabel(BSTR label) override;
    HRESULT STDMETHODCALLTYPE SetTime(BSTR path, DATE creationtime, DATE lastaccesstime, DATE lastwritetime) override;
    HRESULT STDMETHODCALLTYPE GetSlotNames(SlotTypeConstants slottype, VARIANT* slotnames) override;
    HRESULT STDMETHODCALLTYPE SelectPort(BSTR bstrPort) override;
    HRESULT STDMETHODCALLTYPE FormatEx(BSTR szDrive) override;
    HRESULT STDMETHODCALLTYPE GetCapacityEx(BSTR szDrive, LONG* total, LONG* free) override;
    HRESULT STDMETHODCALLTYPE CreateStdDirsEx(BSTR szDriver) override;
    // IKivVolume2, forwarded
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
    // IDcoMSG, forwarded
    HRESULT STDMETHODCALLTYPE MSGWrite(BSTR bstrNumber, BSTR bstrText, LONG lStorage, LONG* plIndex) override;
    HRESULT STDMETHODCALLTYPE MSGSend(BSTR bstrNumber, BSTR bstrText, LONG* plReference) override;
    HRESULT STDMETHODCALLTYPE MSGGetFirst(SMType eType, LONG lStorage, VARIANT* pvMessage) override;
    HRESULT STDMETHODCALLTYPE MSGGetNext(VARIANT* pvMessage) override;
    HRESULT STDMETHODCALLTYPE MSGDelete(LONG lIndex, LONG lStorage) override;
    HRESULT STDMETHODCALLTYPE MSGSetStatus(LONG lIndex, SMType eStatus) override;
    HRESULT STDMETHODCALLTYPE MSGGetServiceCenterAddress(BSTR* pbstrAddress) override;
    HRESULT STDMETHODCALLTYPE MSGCheckMidiFile(BSTR bstrPath, VARIANT_BOOL* pbValid) override;
    // IDcoMMSCommunicator, forwarded
    HRESULT STDMETHODCALLTYPE MMSGetFirst(LONG lFolder, VARIANT* pvMessage) override;
    HRESULT STDMETHODCALLTYPE MMSGetNext(VARIANT* pvMessage) override;
    HRESULT STDMETHODCALLTYPE MMSDelete(LONG lIndex) override;
    HRESULT STDMETHODCALLTYPE MMSIndexSend(LONG lIndex, BSTR bstrRecipients) override;
    HRESULT STDMETHODCALLTYPE MMSFileSend(BSTR bstrPath, BSTR bstrRecipients) override;
    HRESULT STDMETHODCALLTYPE MMSWrite(BSTR bstrPath, LONG lFolder, LONG* plIndex) override;
    HRESULT STDMETHODCALLTYPE MMSSetStatus(LONG lIndex, LONG lStatus) override;
    // IKivAB, forwarded
    HRESULT STDMETHODCALLTYPE ABCountEntries(LONG* plCount) override;
    HRESULT STDMETHODCALLTYPE ABGetFirstEntry(BSTR* pbstrVCard) override;
    HRESULT STDMETHODCALLTYPE ABGetNextEntry(BSTR* pbstrVCard) override;
    HRESULT STDMETHODCALLTYPE ABPutEntry(BSTR bstrVCard, LONG* plIndex) override;
    HRESULT STDMETHODCALLTYPE ABDeleteEntry(LONG lIndex) override;

private:
    // What a forwarded call answers when its inner object is missing or the call raised.
    static constexpr HRESULT FORWARD_FAILED = static_cast<HRESULT>(0x80042001);

    template <class I, class Call>
    static HRESULT Forward(const tolv::com::com_ptr<I>& inner, Call&& call) noexcept
    {
        if (!inner)
            return FORWARD_FAILED;
        try {
            return call(inner.get());
        } catch (...) {
            return FORWARD_FAILED;
        }
    }

    tolv::com::com_ptr<IKivGeneral> m_general;
    tolv::com::com_ptr<IKivVolume> m_volume;
    tolv::com::com_ptr<IKivVolume2> m_volume2;
    tolv::com::com_ptr<IDcoMSG> m_messages;
    tolv::com::com_ptr<IDcoMMSCommunicator> m_multimedia;
    tolv::com::com_ptr<IKivAB> m_addressBook;
};
