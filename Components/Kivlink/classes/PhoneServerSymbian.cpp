#include "PhoneServerSymbian.h"

#include "KivServerTrace.h"
#include "KivlinkGeneral.h"
#include "KivlinkMobilePhone.h"
#include "KivlinkMobilePhone2.h"
#include "ui/MessageBoxSeam.h"

#include "EnvironmentServer.h"

#include "com/ComObject.h"
#include "com/UniqueBstr.h"
#include "com/UniqueVariant.h"
#include "trace/TolvTrace.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("CPhoneServerSymbian");

namespace {

template <class I>
void CreateOutsideObject(REFCLSID clsid, tolv::com::com_ptr<I>& result)
{
    // A messaging class that is not installed leaves its interface empty.
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, __uuidof(I), reinterpret_cast<void**>(result.put()))))
        result.reset();
}

// Tells the suite's environment service where the KivGeneral class is.
HRESULT AnnounceKivGeneral()
{
    tolv::com::com_ptr<IUnknown> unknown;
    TOLV_RETURN_IF_FAILED(CoCreateInstance(CLSID_EnvironmentServer, nullptr, CLSCTX_ALL, IID_IUnknown,
                                           reinterpret_cast<void**>(unknown.put())));
    TOLV_RETURN_IF_FAILED(OleRun(unknown.get()));
    tolv::com::com_ptr<IEnvironmentServer> environment;
    TOLV_RETURN_IF_FAILED(unknown.query(environment));
    wchar_t clsid[40] = {};
    StringFromGUID2(CLSID_KivGeneral, clsid, 40);
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = SysAllocString(clsid);
    tolv::com::unique_bstr name(L"CLSID_KivGeneral");
    HRESULT hr = V_BSTR(&value) ? environment->SetValue(name.get(), value) : E_OUTOFMEMORY;
    VariantClear(&value);
    return hr;
}

}  // namespace

HRESULT CPhoneServerSymbian::FinalConstruct()
{
    TOLV_RETURN_IF_FAILED(tolv::com::MakeComObject<CKivlinkGeneral>(m_general));
    TOLV_RETURN_IF_FAILED(tolv::com::MakeComObject<CKivlinkMobilePhone>(m_volume));
    TOLV_RETURN_IF_FAILED(tolv::com::MakeComObject<CKivlinkMobilePhone2>(m_volume2));
    CreateOutsideObject(CLSID_TamloDcoMSG, m_messages);
    CreateOutsideObject(CLSID_TamloMMSCommunicator, m_multimedia);
    CreateOutsideObject(CLSID_TamloKivAB, m_addressBook);
    return AnnounceKivGeneral();
}

HRESULT CPhoneServerSymbian::ATCGetNameOfFennel(BSTR* pName)
{
    if (pName)
        *pName = nullptr;
    return KIV_E_SERVICENOTSUPPORTED;
}

HRESULT CPhoneServerSymbian::GetMobileModel(BSTR* pbstrModel)
{
    return Forward(m_general, [&](IKivGeneral* inner) { return inner->GetMobileModel(pbstrModel); });
}

HRESULT CPhoneServerSymbian::GetCommPorts(BSTR* pbstrPorts, LONG lflags, LONG* plPortMask)
{
    return Forward(m_general, [&](IKivGeneral* inner) { return inner->GetCommPorts(pbstrPorts, lflags, plPortMask); });
}

HRESULT CPhoneServerSymbian::IsBluetoothPort(LONG lPortId, VARIANT_BOOL* pbIsBT)
{
    return Forward(m_general, [&](IKivGeneral* inner) { return inner->IsBluetoothPort(lPortId, pbIsBT); });
}

HRESULT CPhoneServerSymbian::SetConnectionBeep(VARIANT_BOOL bBeep)
{
    return Forward(m_general, [&](IKivGeneral* inner) { return inner->SetConnectionBeep(bBeep); });
}

HRESULT CPhoneServerSymbian::GetIMEI(BSTR* pbstrIMEI)
{
    return Forward(m_general, [&](IKivGeneral* inner) { return inner->GetIMEI(pbstrIMEI); });
}

HRESULT CPhoneServerSymbian::GetCharge(LONG* plCharge)
{
    return Forward(m_general, [&](IKivGeneral* inner) { return inner->GetCharge(plCharge); });
}

HRESULT CPhoneServerSymbian::GetSignalQuality(LONG* plLevel, LONG* plBER)
{
    return Forward(m_general, [&](IKivGeneral* inner) { return inner->GetSignalQuality(plLevel, plBER); });
}

HRESULT CPhoneServerSymbian::GetMobileManufacturer(BSTR* pbstrManufacturer)
{
    return Forward(m_general, [&](IKivGeneral* inner) { return inner->GetMobileManufacturer(pbstrManufacturer); });
}

HRESULT CPhoneServerSymbian::GetMobileInfo(BSTR* pbstrManufacturer, BSTR* pbstrModel, BSTR* pbstrIMEI,
                                           BSTR* pbstrSoftwareVersion, LONG* plCharge)
{
    return Forward(m_general, [&](IKivGeneral* inner) {
        return inner->GetMobileInfo(pbstrManufacturer, pbstrModel, pbstrIMEI, pbstrSoftwareVersion, plCharge);
    });
}

HRESULT CPhoneServerSymbian::SuspendConnection()
{
    return Forward(m_general, [&](IKivGeneral* inner) { return inner->SuspendConnection(); });
}

HRESULT CPhoneServerSymbian::ResumeConnection()
{
    return Forward(m_general, [&](IKivGeneral* inner) { return inner->ResumeConnection(); });
}

HRESULT CPhoneServerSymbian::SetPort(BSTR bstrPort)
{
    KivServerTrace()->Format(3, ">>>CPhoneServerSymbian::SetPort()");
    HRESULT hr = Forward(m_general, [&](IKivGeneral* inner) { return inner->SetPort(bstrPort); });
    if (hr == RPC_E_SERVERFAULT)
        tolv::ui::ShowMessageBox(nullptr, L"GotIt", L"", MB_OK);
    return hr;
}

HRESULT CPhoneServerSymbian::ResetPort(BSTR bstrPort)
{
    return Forward(m_general, [&](IKivGeneral* inner) { return inner->ResetPort(bstrPort); });
}

HRESULT CPhoneServerSymbian::GetConnectionState(KivGeneralConnectionState* peConnectionState)
{
    KivServerTrace()->Format(3, ">>>CPhoneServerSymbian::GetConnectionState()");
    return Forward(m_general, [&](IKivGeneral* inner) { return inner->GetConnectionState(peConnectionState); });
}

HRESULT CPhoneServerSymbian::AddChangeNotification(BSTR path, IUnknown* sink, LONG* token)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->AddChangeNotification(path, sink, token); });
}

HRESULT CPhoneServerSymbian::BroadcastChangeNotification(BSTR path)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->BroadcastChangeNotification(path); });
}

HRESULT CPhoneServerSymbian::Copy(BSTR existingpath, BSTR newpath)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->Copy(existingpath, newpath); });
}

HRESULT CPhoneServerSymbian::CreateDir(BSTR path)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->CreateDir(path); });
}

HRESULT CPhoneServerSymbian::CreateStdDirs()
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->CreateStdDirs(); });
}

HRESULT CPhoneServerSymbian::Delete(BSTR path)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->Delete(path); });
}

HRESULT CPhoneServerSymbian::Format()
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->Format(); });
}

HRESULT CPhoneServerSymbian::GetCapacity(LONG* total, LONG* free)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->GetCapacity(total, free); });
}

HRESULT CPhoneServerSymbian::GetEntries(BSTR path, VARIANT_BOOL limittodirectories, VARIANT* entries)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->GetEntries(path, limittodirectories, entries); });
}

HRESULT CPhoneServerSymbian::GetFile(BSTR path, IUnknown** content)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->GetFile(path, content); });
}

HRESULT CPhoneServerSymbian::GetLabel(BSTR* label)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->GetLabel(label); });
}

HRESULT CPhoneServerSymbian::HasSubDirs(BSTR path, VARIANT_BOOL* subdirs)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->HasSubDirs(path, subdirs); });
}

HRESULT CPhoneServerSymbian::Move(BSTR existingpath, BSTR newpath)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->Move(existingpath, newpath); });
}

HRESULT CPhoneServerSymbian::MoveDir(BSTR existingpath, BSTR newpath)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->MoveDir(existingpath, newpath); });
}

HRESULT CPhoneServerSymbian::PutFile(BSTR path, IUnknown* content, LONG attributes)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->PutFile(path, content, attributes); });
}

HRESULT CPhoneServerSymbian::RemoveChangeNotification(LONG token)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->RemoveChangeNotification(token); });
}

HRESULT CPhoneServerSymbian::RemoveDir(BSTR path)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->RemoveDir(path); });
}

HRESULT CPhoneServerSymbian::SetAttributes(BSTR path, LONG attributes)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->SetAttributes(path, attributes); });
}

HRESULT CPhoneServerSymbian::SetLabel(BSTR label)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->SetLabel(label); });
}

HRESULT CPhoneServerSymbian::SetTime(BSTR path, DATE creationtime, DATE lastaccesstime, DATE lastwritetime)
{
    return Forward(
        m_volume, [&](IKivVolume* inner) { return inner->SetTime(path, creationtime, lastaccesstime, lastwritetime); });
}

HRESULT CPhoneServerSymbian::GetSlotNames(SlotTypeConstants slottype, VARIANT* slotnames)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->GetSlotNames(slottype, slotnames); });
}

HRESULT CPhoneServerSymbian::SelectPort(BSTR bstrPort)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->SelectPort(bstrPort); });
}

HRESULT CPhoneServerSymbian::FormatEx(BSTR szDrive)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->FormatEx(szDrive); });
}

HRESULT CPhoneServerSymbian::GetCapacityEx(BSTR szDrive, LONG* total, LONG* free)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->GetCapacityEx(szDrive, total, free); });
}

HRESULT CPhoneServerSymbian::CreateStdDirsEx(BSTR szDriver)
{
    return Forward(m_volume, [&](IKivVolume* inner) { return inner->CreateStdDirsEx(szDriver); });
}

HRESULT CPhoneServerSymbian::ListDevices(BSTR* devices)
{
    return Forward(m_volume2, [&](IKivVolume2* inner) { return inner->ListDevices(devices); });
}

HRESULT CPhoneServerSymbian::SelectDevice(BSTR DeviceName)
{
    return Forward(m_volume2, [&](IKivVolume2* inner) { return inner->SelectDevice(DeviceName); });
}

HRESULT CPhoneServerSymbian::ListDrives(BSTR* drives)
{
    return Forward(m_volume2, [&](IKivVolume2* inner) { return inner->ListDrives(drives); });
}

HRESULT CPhoneServerSymbian::FormatDrive(BSTR driveName, LONG ExecutionFlags)
{
    return Forward(m_volume2, [&](IKivVolume2* inner) { return inner->FormatDrive(driveName, ExecutionFlags); });
}

HRESULT CPhoneServerSymbian::BackupDrive(BSTR BackupPath, BSTR DeviceDrive, LONG ExecutionFlags)
{
    return Forward(m_volume2,
                   [&](IKivVolume2* inner) { return inner->BackupDrive(BackupPath, DeviceDrive, ExecutionFlags); });
}

HRESULT CPhoneServerSymbian::RestoreDrive(BSTR BackupPath, BSTR DeviceDrive, LONG ExecutionFlags)
{
    return Forward(m_volume2,
                   [&](IKivVolume2* inner) { return inner->RestoreDrive(BackupPath, DeviceDrive, ExecutionFlags); });
}

HRESULT CPhoneServerSymbian::ListEntries(BSTR path, VARIANT_BOOL bRecursive, BSTR* entries)
{
    return Forward(m_volume2, [&](IKivVolume2* inner) { return inner->ListEntries(path, bRecursive, entries); });
}

HRESULT CPhoneServerSymbian::GetInfo(BSTR entry, BSTR* info)
{
    return Forward(m_volume2, [&](IKivVolume2* inner) { return inner->GetInfo(entry, info); });
}

HRESULT CPhoneServerSymbian::CopyToPC(BSTR source, BSTR destination, LONG ExecutionFlags)
{
    return Forward(m_volume2, [&](IKivVolume2* inner) { return inner->CopyToPC(source, destination, ExecutionFlags); });
}

HRESULT CPhoneServerSymbian::CopyFromPC(BSTR source, BSTR destination, LONG ExecutionFlags)
{
    return Forward(m_volume2,
                   [&](IKivVolume2* inner) { return inner->CopyFromPC(source, destination, ExecutionFlags); });
}

HRESULT CPhoneServerSymbian::CopyInDevice(BSTR source, BSTR destination, LONG ExecutionFlags)
{
    return Forward(m_volume2,
                   [&](IKivVolume2* inner) { return inner->CopyInDevice(source, destination, ExecutionFlags); });
}

HRESULT CPhoneServerSymbian::RemoveEntry(BSTR entry)
{
    return Forward(m_volume2, [&](IKivVolume2* inner) { return inner->RemoveEntry(entry); });
}

HRESULT CPhoneServerSymbian::CreateEntry(BSTR entry)
{
    return Forward(m_volume2, [&](IKivVolume2* inner) { return inner->CreateEntry(entry); });
}

HRESULT CPhoneServerSymbian::MSGWrite(BSTR bstrNumber, BSTR bstrText, LONG lStorage, LONG* plIndex)
{
    return Forward(m_messages,
                   [&](IDcoMSG* inner) { return inner->MSGWrite(bstrNumber, bstrText, lStorage, plIndex); });
}

HRESULT CPhoneServerSymbian::MSGSend(BSTR bstrNumber, BSTR bstrText, LONG* plReference)
{
    return Forward(m_messages, [&](IDcoMSG* inner) { return inner->MSGSend(bstrNumber, bstrText, plReference); });
}

HRESULT CPhoneServerSymbian::MSGGetFirst(SMType eType, LONG lStorage, VARIANT* pvMessage)
{
    return Forward(m_messages, [&](IDcoMSG* inner) { return inner->MSGGetFirst(eType, lStorage, pvMessage); });
}

HRESULT CPhoneServerSymbian::MSGGetNext(VARIANT* pvMessage)
{
    return Forward(m_messages, [&](IDcoMSG* inner) { return inner->MSGGetNext(pvMessage); });
}

HRESULT CPhoneServerSymbian::MSGDelete(LONG lIndex, LONG lStorage)
{
    return Forward(m_messages, [&](IDcoMSG* inner) { return inner->MSGDelete(lIndex, lStorage); });
}

HRESULT CPhoneServerSymbian::MSGSetStatus(LONG lIndex, SMType eStatus)
{
    return Forward(m_messages, [&](IDcoMSG* inner) { return inner->MSGSetStatus(lIndex, eStatus); });
}

HRESULT CPhoneServerSymbian::MSGGetServiceCenterAddress(BSTR* pbstrAddress)
{
    return Forward(m_messages, [&](IDcoMSG* inner) { return inner->MSGGetServiceCenterAddress(pbstrAddress); });
}

HRESULT CPhoneServerSymbian::MSGCheckMidiFile(BSTR bstrPath, VARIANT_BOOL* pbValid)
{
    return Forward(m_messages, [&](IDcoMSG* inner) { return inner->MSGCheckMidiFile(bstrPath, pbValid); });
}

HRESULT CPhoneServerSymbian::MMSGetFirst(LONG lFolder, VARIANT* pvMessage)
{
    return Forward(m_multimedia, [&](IDcoMMSCommunicator* inner) { return inner->MMSGetFirst(lFolder, pvMessage); });
}

HRESULT CPhoneServerSymbian::MMSGetNext(VARIANT* pvMessage)
{
    return Forward(m_multimedia, [&](IDcoMMSCommunicator* inner) { return inner->MMSGetNext(pvMessage); });
}

HRESULT CPhoneServerSymbian::MMSDelete(LONG lIndex)
{
    return Forward(m_multimedia, [&](IDcoMMSCommunicator* inner) { return inner->MMSDelete(lIndex); });
}

HRESULT CPhoneServerSymbian::MMSIndexSend(LONG lIndex, BSTR bstrRecipients)
{
    return Forward(m_multimedia,
                   [&](IDcoMMSCommunicator* inner) { return inner->MMSIndexSend(lIndex, bstrRecipients); });
}

HRESULT CPhoneServerSymbian::MMSFileSend(BSTR bstrPath, BSTR bstrRecipients)
{
    return Forward(m_multimedia,
                   [&](IDcoMMSCommunicator* inner) { return inner->MMSFileSend(bstrPath, bstrRecipients); });
}

HRESULT CPhoneServerSymbian::MMSWrite(BSTR bstrPath, LONG lFolder, LONG* plIndex)
{
    return Forward(m_multimedia,
                   [&](IDcoMMSCommunicator* inner) { return inner->MMSWrite(bstrPath, lFolder, plIndex); });
}

HRESULT CPhoneServerSymbian::MMSSetStatus(LONG lIndex, LONG lStatus)
{
    return Forward(m_multimedia, [&](IDcoMMSCommunicator* inner) { return inner->MMSSetStatus(lIndex, lStatus); });
}

HRESULT CPhoneServerSymbian::ABCountEntries(LONG* plCount)
{
    return Forward(m_addressBook, [&](IKivAB* inner) { return inner->ABCountEntries(plCount); });
}

HRESULT CPhoneServerSymbian::ABGetFirstEntry(BSTR* pbstrVCard)
{
    return Forward(m_addressBook, [&](IKivAB* inner) { return inner->ABGetFirstEntry(pbstrVCard); });
}

HRESULT CPhoneServerSymbian::ABGetNextEntry(BSTR* pbstrVCard)
{
    return Forward(m_addressBook, [&](IKivAB* inner) { return inner->ABGetNextEntry(pbstrVCard); });
}

HRESULT CPhoneServerSymbian::ABPutEntry(BSTR bstrVCard, LONG* plIndex)
{
    return Forward(m_addressBook, [&](IKivAB* inner) { return inner->ABPutEntry(bstrVCard, plIndex); });
}

HRESULT CPhoneServerSymbian::ABDeleteEntry(LONG lIndex)
{
    return Forward(m_addressBook, [&](IKivAB* inner) { return inner->ABDeleteEntry(lIndex); });
}
