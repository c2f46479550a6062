// The second half of the routes that pass through a PC temporary file on their way into a phone
// folder: the upload itself, always waited for, and the check on the phone when the wait fails.
#include "FolderUpload.h"

#include "CopyOnPhoneCheck.h"
#include "TransferClock.h"
#include "TransferPaths.h"
#include "errors/KivResults.h"

#include "model/SymbianDeviceDirectory.h"
#include "model/SymbianDeviceFile.h"
#include "operations/LongOperation.h"

#include "trace/TolvTrace.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("FolderUpload");

HRESULT SendTempFileIntoFolder(CKivFileContext& context, const CRequestData& record, long action,
                               CFileDescription& folder, const CKivString& tempFile, long expectedSize)
{
    CTolvTrace* trace = context.trace;
    CRequestData postStep(record);
    postStep.m_firstIntegerArg |= eBlocked;
    CKivLongOperation operation(context.handler, context.DisconnectEvent(), trace);
    HRESULT hr = operation.Register(action, record.m_firstStringArg, postStep, REQ_COPY_TO_PC_POST_STEP);
    TOLV_RETURN_IF_FAILED(hr);
    trace->Format(3, "(%s)->CopyFromPC(%s)", folder.Name().Narrow().c_str(), tempFile.Narrow().c_str());
    long requestId = 0;
    hr = folder.Directory()->StartCopyFromPC(tempFile.c_str(), requestId);
    TOLV_RETURN_IF_FAILED(hr);
    trace->Format(3, "CopyFromPC returns REQID %d", static_cast<int>(requestId));
    operation.Started(requestId);
    HRESULT completion = E_FAIL;
    hr = operation.WaitForCompletion(completion);
    if (SUCCEEDED(hr)) {
        trace->Format(3, "S_STATE: Copy (synchronous call) finished");
        hr = completion;
    } else if (hr != KIV_E_BADCONNECTION) {
        trace->Format(3, "S_STATE: Copy (synchronous call) failed - try to check if it is there anyway on mobile");
        hr = CheckCopyOnPhone(expectedSize, folder, SplitFolderAndName(tempFile.c_str(), true).name.c_str(), trace,
                              TransferClock());
    }
    operation.Unregister();
    return hr;
}

HRESULT RenameUploadedFile(CFileDescription& folder, const CKivString& tempFile, const CKivString& name)
{
    const CKivString tempName = SplitFolderAndName(tempFile.c_str(), true).name;
    HRESULT hr = folder.Directory()->RenameChildFile(tempName.c_str(), name.c_str());
    if (FAILED(hr)) {
        CFileDescription arrived;
        if (SUCCEEDED(folder.Directory()->GetFileInFolder(tempName.c_str(), arrived)))
            arrived.File()->Delete();
    }
    return hr;
}
