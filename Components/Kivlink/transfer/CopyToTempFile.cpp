// A phone file's content in a unique PC temporary file, for the routes that hand phone content
// on (a client's stream, the in-phone copy). It always waits for the transfer.
#include "CopyRoutes.h"

#include "CopyOnPcCheck.h"
#include "PcFiles.h"
#include "TempGarbageCollector.h"
#include "TemporaryFiles.h"
#include "TransferClock.h"

#include "model/FileDescription.h"
#include "model/SymbianDevice.h"
#include "model/SymbianDeviceFile.h"
#include "operations/LongOperation.h"

#include "KivlinkLib.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("CopyToTempFile");

HRESULT CopyToTempFile(CKivFileContext& context, const wchar_t* phoneFile, CKivString& tempFile)
{
    CTolvTrace* trace = context.trace;
    RunTempGarbageCollection(trace);
    CFileDescription source;
    HRESULT hr = context.device->GetFile(phoneFile, source);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    hr = MakeUniqueTempFile(tempFile);
    TOLV_RETURN_IF_FAILED(hr);
    long size = 0;
    hr = source.GetSize(size);
    TOLV_RETURN_IF_FAILED(hr);
    if (size == 0) {
        hr = CreateEmptyPcFile(tempFile.c_str());
        if (FAILED(hr))
            tolv::trace::Error(TOLV_HERE, trace);
        return hr;
    }

    // Waited for here, whatever the caller's flags: the tracker must not run post steps of its own.
    CRequestData postStep(REQ_COPY_TO_PC_POST_STEP);
    postStep.m_firstStringArg = CKivString(phoneFile);
    postStep.m_secondStringArg = tempFile;
    postStep.m_firstIntegerArg = eBlocked;
    CKivLongOperation operation(context.handler, context.DisconnectEvent(), trace);
    hr = operation.Register(aidCopyToPC, postStep.m_firstStringArg, postStep, REQ_COPY_TO_PC_POST_STEP);
    TOLV_RETURN_IF_FAILED(hr);
    trace->Format(3, "(%s)->CopyToPC(%s)", source.Name().Narrow().c_str(), tempFile.Narrow().c_str());
    long requestId = 0;
    hr = source.File()->StartCopyToPC(tempFile.c_str(), requestId);
    TOLV_RETURN_IF_FAILED(hr);
    trace->Format(3, "CopyToPC returns REQID %d", static_cast<int>(requestId));
    operation.Started(requestId);
    trace->Format(3, "CopyToTempFile is going to wait for completion of REQID=%d", static_cast<int>(requestId));

    HRESULT completion = E_FAIL;
    hr = operation.WaitForCompletion(completion);
    if (SUCCEEDED(hr)) {
        trace->Format(3, "CopyToPC (synchronous call) succeeded.");
        hr = completion;
        // A transfer that reported success with a short file is not one.
        ULONGLONG copied = 0;
        if (SUCCEEDED(hr) && (FAILED(ReadPcFileSize(tempFile.c_str(), copied)) || !SameSize(copied, size))) {
            trace->Format(3, "E_STATE: %s was not fully copied", tempFile.Narrow().c_str());
            hr = E_FAIL;
        }
    } else {
        trace->Format(3, "S_STATE: Copy (synchronous call) failed - try to check if it is there anyway on PC");
        hr = CheckCopyOnPC(source, tempFile.c_str(), trace, TransferClock());
        if (FAILED(hr))
            tolv::trace::Error(TOLV_HERE, trace);
    }
    operation.Unregister();
    return hr;
}
