#include "FileOperations.h"
#include "InfoText.h"

#include "KivlinkLib.h"
#include "model/FileDescription.h"
#include "model/SymbianDevice.h"
#include "model/SymbianDeviceDrive.h"
#include "operations/LongOperation.h"

#include "com/UniqueBstr.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("DriveOperations");

namespace {

// The common end of format, backup and restore: a blocked one is waited for, traced with
// `finished` and finished by its post steps here; an unblocked one returns once the phone
// accepted it.
template <class PostSteps>
HRESULT FinishDriveOperation(CKivFileContext& context, CKivLongOperation& operation, const CRequestData& record,
                             const char* finished, PostSteps&& postSteps)
{
    if (!record.Flags().Has(eBlocked))
        return S_OK;
    HRESULT completion = E_FAIL;
    HRESULT hr = operation.WaitForCompletion(completion);
    if (SUCCEEDED(hr)) {
        context.trace->Format(3, "%s", finished);
        hr = completion;
    } else {
        tolv::trace::Error(TOLV_HERE, context.trace);
    }
    operation.Unregister();
    CRequestData postStep(record);
    postStep.m_RetVal = hr;
    return postSteps(context, postStep);
}

HRESULT StartDeviceTransfer(CKivFileContext& context, bool backup, const CKivString& drive, const CKivString& pcPath,
                            long& requestId)
{
    ISCDevice* device = context.device->PhoneDevice();
    if (!device)
        return E_POINTER;
    tolv::com::unique_bstr driveName(drive.c_str());
    tolv::com::unique_bstr path(pcPath.c_str());
    if (!driveName.get() || !path.get())
        return E_OUTOFMEMORY;
    return backup ? device->BackupDrive(driveName.get(), path.get(), 0, &requestId)
                  : device->RestoreDrive(driveName.get(), path.get(), 0, &requestId);
}

// Backup and restore: first string the PC backup file, second the drive.
HRESULT RunDeviceTransfer(CKivFileContext& context, const CRequestData& record, bool backup)
{
    const CKivString& drive = record.m_secondStringArg;
    if (ClassifyInfoPath(drive.c_str()) != INFO_DRIVE) {
        context.trace->Format(3, "E_STATE: %s is not a drive", drive.Narrow().c_str());
        return E_INVALIDARG;
    }
    CFileDescription found;
    HRESULT hr = context.device->GetDrive(drive.c_str(), found);
    if (FAILED(hr)) {
        context.trace->Format(3, "E_STATE: Drive %s not found.", drive.Narrow().c_str());
        return hr;
    }
    CKivLongOperation operation(context.handler, context.DisconnectEvent(), context.trace);
    hr = operation.Register(backup ? aidBackup : aidRestore, drive, record,
                            backup ? REQ_BACKUP_POST_STEP : REQ_RESTORE_POST_STEP);
    TOLV_RETURN_IF_FAILED(hr);
    long requestId = 0;
    hr = StartDeviceTransfer(context, backup, drive, record.m_firstStringArg, requestId);
    TOLV_RETURN_IF_FAILED(hr);
    context.trace->Format(3, backup ? "Backup returns REQID %d" : "Restore returns REQID %d",
                          static_cast<int>(requestId));
    operation.Started(requestId);
    if (backup)
        return FinishDriveOperation(context, operation, record, "S_STATE: Backup (synchronous call) finished",
                                    RunBackupPostSteps);
    return FinishDriveOperation(context, operation, record, "S_STATE: restore (synchronous call) finished",
                                RunRestorePostSteps);
}

}  // namespace

HRESULT RunFormatDrive(CKivFileContext& context, const CRequestData& record)
{
    const CKivString& driveName = record.m_firstStringArg;
    CFileDescription drive;
    if (ClassifyInfoPath(driveName.c_str()) != INFO_DRIVE ||
        FAILED(context.device->GetDrive(driveName.c_str(), drive))) {
        context.trace->Format(3, "E_STATE:  %s is not a drive", driveName.Narrow().c_str());
        return E_INVALIDARG;
    }
    CKivLongOperation operation(context.handler, context.DisconnectEvent(), context.trace);
    HRESULT hr = operation.Register(aidFormat, driveName, record, REQ_FORMAT_POST_STEP);
    TOLV_RETURN_IF_FAILED(hr);
    context.trace->Format(3, "(%s)->Format()", driveName.Narrow().c_str());
    long requestId = 0;
    hr = drive.Drive()->StartFormat(requestId);
    TOLV_RETURN_IF_FAILED(hr);
    context.trace->Format(3, "Format returns REQID %d", static_cast<int>(requestId));
    operation.Started(requestId);
    std::string finished = "S_STATE: Format " + driveName.Narrow() + " (synchronous call) finished.";
    return FinishDriveOperation(context, operation, record, finished.c_str(), RunFormatPostSteps);
}

HRESULT RunBackupDrive(CKivFileContext& context, const CRequestData& record)
{
    return RunDeviceTransfer(context, record, true);
}

HRESULT RunRestoreDrive(CKivFileContext& context, const CRequestData& record)
{
    return RunDeviceTransfer(context, record, false);
}

HRESULT RunFormatPostSteps(CKivFileContext& context, const CRequestData& postStep)
{
    context.trace->Format(3, "CFormatDrive post steps () ...");
    context.trace->Format(3, "CFormatDrive post steps - hr=0x%08X", static_cast<unsigned>(postStep.m_RetVal));
    return postStep.m_RetVal;
}

HRESULT RunBackupPostSteps(CKivFileContext& context, const CRequestData& postStep)
{
    context.trace->Format(3, "BackupDrive post steps () ...");
    context.trace->Format(3, "BackupDrive post steps - hr=0x%08X", static_cast<unsigned>(postStep.m_RetVal));
    return postStep.m_RetVal;
}

HRESULT RunRestorePostSteps(CKivFileContext& context, const CRequestData& postStep)
{
    context.trace->Format(3, "RestoreDrive post steps () ...");
    context.trace->Format(3, "RestoreDrive post steps - hr=0x%08X", static_cast<unsigned>(postStep.m_RetVal));
    return postStep.m_RetVal;
}
