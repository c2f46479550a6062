#include "KivlinkNotificationThread.h"

#include "PhoneStatusReading.h"
#include "RequestTable.h"

#include "SymbianConnectRT.h"

#include "Components/Kivlink/model/DeviceInfoText.h"
#include "Components/Kivlink/model/SymbianConnectApplication.h"

#include "KivlinkLib.h"
#include "com/ComInit.h"

#include <algorithm>
#include <new>
#include <optional>

namespace {

constexpr tolv::trace::site kUndefinedRequest{"CKivlinkNotificationThread", 458};

// The device information of the connect notice.
CKivString CreateDeviceInformation(IKivServerServices& services, const CKivString& deviceName)
{
    CKivString manufacturer;
    CKivString model;
    tolv::com::com_ptr<ISCApplication> application;
    if (SUCCEEDED(CreateSymbianConnectApplication(application)) && application)
        ReadDeviceIdentity(application.get(), deviceName.c_str(), manufacturer, model);
    return FormatDeviceInfoText(manufacturer, model, ReadPhoneStatusIfIdle(services), deviceName);
}

}  // namespace

CKivlinkNotificationThread::~CKivlinkNotificationThread() = default;

HRESULT CKivlinkNotificationThread::InitThread()
{
    // Created on start so that the file worker, which receives the post steps of unblocked
    // operations, exists by then.
    m_handler.reset(new (std::nothrow) CKivlinkNotificationHandler(Services(), Services().Worker(KivWorkerRole::File)));
    return m_handler ? S_OK : E_OUTOFMEMORY;
}

void CKivlinkNotificationThread::RegisterBinding(CSymbianConnectRT* binding)
{
    tolv::com::auto_lock lock(m_bindingsLock);
    m_bindings.push_back(binding);
}

void CKivlinkNotificationThread::UnregisterBinding(CSymbianConnectRT* binding)
{
    tolv::com::auto_lock lock(m_bindingsLock);
    m_bindings.erase(std::remove(m_bindings.begin(), m_bindings.end(), binding), m_bindings.end());
}

bool CKivlinkNotificationThread::IsKnownRequest(long type) const
{
    return IsServedBy(type, KivWorkerRole::Notifications);
}

void CKivlinkNotificationThread::AnswerResponse(const CRequestData& record, VARIANT_BOOL response)
{
    if (auto* answer = static_cast<VARIANT_BOOL*>(record.m_OutArg[OUT_BOOL]))
        *answer = response;
}

void CKivlinkNotificationThread::OnConnected(const CRequestData& record)
{
    // The thread keeps out of COM except while it asks the phone library about a connect.
    const tolv::com::com_init com(COINIT_MULTITHREADED);
    CTolvTrace* trace = Trace();
    trace->Format(3, "CKivlinkNotificationThread::OnConnected");
    trace->Format(3, "Before CreateDeviceInof");
    CRequestData notice(REQ_ON_CONNECT);
    notice.m_firstStringArg = record.m_firstStringArg;
    notice.m_secondStringArg = CreateDeviceInformation(Services(), record.m_firstStringArg);
    trace->Format(3, "After CreateDeviceInof");
    Services().PostToMainThread(notice);
    trace->Format(3, "After Post Connect Event");
    tolv::com::auto_lock lock(m_bindingsLock);
    for (CSymbianConnectRT* binding : m_bindings) {
        trace->Format(3, "Before SignalConnected");
        binding->SignalConnected();
        trace->Format(3, "After SignalConnected");
    }
}

void CKivlinkNotificationThread::OnDisconnected(const CRequestData& record)
{
    const tolv::com::com_init com(COINIT_MULTITHREADED);
    Trace()->Format(3, "CKivlinkNotificationThread::OnDisconnected");
    CRequestData notice(REQ_ON_DISCONNECT);
    notice.m_firstStringArg = record.m_firstStringArg;
    Services().PostToMainThread(notice);
    {
        tolv::com::auto_lock lock(m_bindingsLock);
        for (CSymbianConnectRT* binding : m_bindings)
            binding->SignalDisconnected();
    }
    // The phone that ran them has gone: their completion events will never come.
    if (m_handler)
        m_handler->EndAbandonedOperations(KIV_E_BADCONNECTION, 0);
}

void CKivlinkNotificationThread::OnMaintenance()
{
    if (m_handler)
        m_handler->EndAbandonedOperations(KIV_E_TIMEOUT, KIV_PROGRESS_INACTIVITY_TIMEOUT_MS);
}

void CKivlinkNotificationThread::ProcessRequest(CRequestData& record)
{
    CTolvTrace* trace = Trace();
    record.m_RetVal = S_OK;
    switch (record.m_typ) {
    case REQ_EV_DEVICE_CONNECTED:
        OnConnected(record);
        break;
    case REQ_EV_DEVICE_DISCONNECTED:
        OnDisconnected(record);
        break;
    case REQ_EV_BACKUP_PROGRESS:
        trace->Format(3, "DeviceBackupStorageProgress");
        record.m_RetVal = HandleOperation(record);
        break;
    case REQ_EV_RESTORE_PROGRESS:
        trace->Format(3, "DeviceRestoreProgress");
        record.m_RetVal = HandleOperation(record);
        break;
    case REQ_EV_FORMAT_PROGRESS:
        trace->Format(3, "DeviceFormatDriveProgress");
        record.m_RetVal = HandleOperation(record);
        break;
    case REQ_EV_COPY_PROGRESS:
        trace->Format(3, "DeviceCopyStorageFileProgress");
        record.m_RetVal = HandleOperation(record);
        break;
    case REQ_EV_BACKUP_ERROR:
        trace->Format(3, "DeviceBackupStorageError 0x%x", static_cast<unsigned>(record.m_thirdIntegerArg));
        AnswerResponse(record, VARIANT_FALSE);
        break;
    case REQ_EV_RESTORE_ERROR:
        trace->Format(3, "DeviceRestoreStorageError 0x%x", static_cast<unsigned>(record.m_thirdIntegerArg));
        AnswerResponse(record, VARIANT_FALSE);
        break;
    case REQ_EV_COPY_ERROR:
        trace->Format(3, "DeviceCopyStorageFileError 0x%x - ErrorDescription = %d",
                      static_cast<unsigned>(record.m_thirdIntegerArg), static_cast<int>(record.m_secondIntegerArg));
        AnswerResponse(record, VARIANT_FALSE);
        break;
    case REQ_EV_FORMAT_ERROR:
        trace->Format(3, "DeviceFormatStorageDriveError 0x%x", static_cast<unsigned>(record.m_thirdIntegerArg));
        break;
    case REQ_EV_RESTORE_EXISTING_FILE:
    case REQ_EV_COPY_EXISTING_FILE:
        trace->Format(3, record.m_typ == REQ_EV_RESTORE_EXISTING_FILE ? "DeviceRestoreStorageExistingFileFound"
                                                                      : "DeviceCopyStorageFileExistingFileFound");
        if (auto* action = static_cast<long*>(record.m_OutArg[OUT_FIRST_LONG]))
            *action = 3;
        AnswerResponse(record, VARIANT_FALSE);
        break;
    case REQ_EV_BACKUP_COMPLETE:
        trace->Format(3, "DeviceBackupStorageComplete 0x%x", static_cast<unsigned>(record.m_secondIntegerArg));
        record.m_RetVal = HandleOperation(record);
        break;
    case REQ_EV_RESTORE_COMPLETE:
        trace->Format(3, "DeviceRestoreStorageComplete 0x%x", static_cast<unsigned>(record.m_secondIntegerArg));
        record.m_RetVal = HandleOperation(record);
        break;
    case REQ_EV_FORMAT_COMPLETE:
        trace->Format(3, "DeviceFormatStorageDriveComplete 0x%x", static_cast<unsigned>(record.m_secondIntegerArg));
        record.m_RetVal = HandleOperation(record);
        break;
    case REQ_EV_COPY_COMPLETE:
        trace->Format(3, "DeviceCopyStorageFileComplete with ErrorCode x%x",
                      static_cast<unsigned>(record.m_secondIntegerArg));
        record.m_RetVal = HandleOperation(record);
        break;
    case REQ_CANCEL_OPERATION:
        record.m_RetVal = HandleOperation(record);
        break;
    default:
        record.m_RetVal = RejectUndefinedRequest(record, kUndefinedRequest);
        break;
    }
}

HRESULT CKivlinkNotificationThread::HandleOperation(const CRequestData& record)
{
    if (!m_handler) {
        // Nobody tracks the operation: a phone asking whether to go on is told to stop.
        AnswerResponse(record, VARIANT_TRUE);
        return E_UNEXPECTED;
    }
    return m_handler->HandleOperationEvent(record, this);
}
