// A phone file to the PC: choosing the PC folder and name, keeping or replacing an existing
// file, creating missing folders, and the transfer, which writes the phone file to the full
// PC path.
#include "CopyRoutes.h"

#include "CopyFlags.h"
#include "CopyOnPcCheck.h"
#include "DiffersTest.h"
#include "ExistingDestination.h"
#include "PcFiles.h"
#include "PcFolderCreation.h"
#include "TransferClock.h"
#include "TransferPaths.h"
#include "errors/KivResults.h"
#include "UniqueDestinationName.h"

#include "model/FileDescription.h"
#include "model/SymbianDevice.h"
#include "model/SymbianDeviceFile.h"
#include "operations/LongOperation.h"

#include "KivlinkLib.h"
#include "trace/TraceResult.h"

#include <string>

TOLV_TRACE_UNIT("CopyToPC");

namespace {

struct SPcTarget {
    CKivString folder;  // with its trailing separator, or empty for the current folder
    CKivString name;
    bool rename = false;
};

HRESULT DecideTarget(CTolvTrace* trace, const CRequestData& record, CFileDescription& source, SPcTarget& target)
{
    const CKivString& destination = record.m_secondStringArg;
    const CKivExecutionFlags flags = record.Flags();
    CKivString sourceName;
    HRESULT hr = source.GetDisplayName(sourceName);
    TOLV_RETURN_IF_FAILED(hr);
    bool intoFolder = false;
    switch (ClassifyPcPath(destination.c_str())) {
    case PC_FILE: {
        SFolderAndName parts = SplitFolderAndName(destination.c_str(), true);
        target.folder = parts.folder;
        target.name = parts.name;
        trace->Format(3, "destination is a file");
        hr = JudgeExistingDestination(trace, flags, destination, target.rename);
        TOLV_RETURN_IF_FAILED(hr);
        break;
    }
    case PC_FOLDER:
        target.folder = WithTrailingSeparator(destination);
        target.name = sourceName;
        intoFolder = true;
        trace->Format(3, "destination is a directory");
        break;
    case PC_MISSING:
        if (EndsWithSeparator(destination.c_str(), true)) {
            target.folder = destination;
            target.name = sourceName;
            intoFolder = true;
        } else {
            SFolderAndName parts = SplitFolderAndName(destination.c_str(), true);
            target.folder = parts.folder;
            target.name = parts.name;
        }
        break;
    }
    if (target.name.empty())
        return E_INVALIDARG;
    if (!target.folder.empty() && ClassifyPcPath(target.folder.c_str()) != PC_FOLDER) {
        hr = CreatePcFolder(target.folder.c_str(), trace);
        TOLV_RETURN_IF_FAILED(hr);
    }

    const CKivString path = JoinFolderAndName(target.folder, target.name);
    if (intoFolder) {
        switch (ClassifyPcPath(path.c_str())) {
        case PC_FOLDER:
            return KIV_E_FILEEXISTSALREADY;
        case PC_FILE:
            hr = JudgeExistingDestination(trace, flags, path, target.rename);
            TOLV_RETURN_IF_FAILED(hr);
            break;
        case PC_MISSING:
            break;
        }
    }

    if (target.rename) {
        if (PcFileDiffersFromPhoneFile(path.c_str(), source)) {
            CKivString unique;
            hr = UniquePcName(target.folder, target.name, unique);
            TOLV_RETURN_IF_FAILED(hr);
            target.name = unique;
        } else if (flags.Has(eNoOverwrite)) {
            return KIV_E_FILEEXISTSALREADY;
        }
    }
    return S_OK;
}

HRESULT CopyToPC(CKivFileContext& context, const CRequestData& record)
{
    CTolvTrace* trace = context.trace;
    TraceCopyFlags(trace, "CopyToPC", record.Flags());
    const CKivString& sourcePath = record.m_firstStringArg;
    CFileDescription source;
    if (FAILED(context.device->GetFile(sourcePath.c_str(), source))) {
        trace->Format(3, "E_STATE: source file %s doesn't exist.", sourcePath.Narrow().c_str());
        return E_INVALIDARG;
    }
    SPcTarget target;
    HRESULT hr = DecideTarget(trace, record, source, target);
    TOLV_RETURN_IF_FAILED(hr);
    if (source.Kind() != KIND_FILE) {
        trace->Format(3, "E_STATE:  %s is not a file", sourcePath.Narrow().c_str());
        return E_INVALIDARG;
    }
    long size = 0;
    hr = source.GetSize(size);
    TOLV_RETURN_IF_FAILED(hr);

    CRequestData postStep(record);
    postStep.m_typ = REQ_COPY_TO_PC_POST_STEP;
    postStep.m_secondStringArg = JoinFolderAndName(target.folder, target.name);
    const CKivString& pcPath = postStep.m_secondStringArg;
    if (size == 0) {
        hr = CreateEmptyPcFile(pcPath.c_str());
        if (FAILED(hr)) {
            tolv::trace::Error(TOLV_HERE, trace);
            return hr;
        }
        // No transfer and so no completion: a move is finished here.
        postStep.m_RetVal = S_OK;
        hr = RunCopyToPCPostSteps(context, postStep);
        if (SUCCEEDED(hr) && !record.Flags().Has(eBlocked) && record.Flags().Has(eMove) && context.binding)
            context.binding->OnInvalidateParent(sourcePath.c_str(), true);
        return hr;
    }

    CKivLongOperation operation(context.handler, context.DisconnectEvent(), trace);
    hr = operation.Register(aidCopyToPC, sourcePath, postStep, REQ_COPY_TO_PC_POST_STEP);
    TOLV_RETURN_IF_FAILED(hr);
    trace->Format(3, "(%s)->CopyToPC(%s)", source.Name().Narrow().c_str(), pcPath.Narrow().c_str());
    long requestId = 0;
    hr = source.File()->StartCopyToPC(pcPath.c_str(), requestId);
    TOLV_RETURN_IF_FAILED(hr);
    trace->Format(3, "CopyToPC returns REQID %d", static_cast<int>(requestId));
    operation.Started(requestId);
    if (!record.Flags().Has(eBlocked))
        return S_OK;

    HRESULT completion = E_FAIL;
    hr = operation.WaitForCompletion(completion);
    if (SUCCEEDED(hr)) {
        trace->Format(3, "S_STATE: CopyToPC %s -> %s(synchronous call) finished.", sourcePath.Narrow().c_str(),
                      pcPath.Narrow().c_str());
        hr = completion;
    } else {
        trace->Format(3, "S_STATE: Copy (synchronous call) failed - try to check if it is there anyway on pc");
        hr = CheckCopyOnPC(source, pcPath.c_str(), trace, TransferClock());
        if (FAILED(hr))
            tolv::trace::Error(TOLV_HERE, trace);
    }
    operation.Unregister();
    postStep.m_RetVal = hr;
    return RunCopyToPCPostSteps(context, postStep);
}

// The PC file must be as long as the phone file before the copy counts, and before a move
// may remove the source. Copying out does not change the phone file, so the size read before
// the transfer still holds.
HRESULT CheckArrivedSize(CTolvTrace* trace, CFileDescription& source, const CKivString& pcPath)
{
    long expected = 0;
    HRESULT hr = source.GetSize(expected);
    TOLV_RETURN_IF_FAILED(hr);
    ULONGLONG size = 0;
    hr = ReadPcFileSize(pcPath.c_str(), size);
    TOLV_RETURN_IF_FAILED(hr);
    if (SameSize(size, expected))
        return S_OK;
    trace->Format(3, "E_STATE: %s was not fully copied (%s of %ld bytes)", pcPath.Narrow().c_str(),
                  std::to_string(size).c_str(), expected);
    return E_FAIL;
}

}  // namespace

HRESULT RunCopyToPC(CKivFileContext& context, const CRequestData& record)
{
    HRESULT hr = CopyToPC(context, record);
    context.trace->Format(3, "<<<IKivVolume2::CopyToPC - hr=0x%08X", static_cast<unsigned>(hr));
    return hr;
}

HRESULT RunCopyToPCPostSteps(CKivFileContext& context, const CRequestData& postStep)
{
    CTolvTrace* trace = context.trace;
    trace->Format(3, "CopyToPC post steps () ...");
    HRESULT hr = postStep.m_RetVal;
    if (SUCCEEDED(hr)) {
        CFileDescription source;
        hr = context.device->GetFile(postStep.m_firstStringArg.c_str(), source);
        if (SUCCEEDED(hr))
            hr = CheckArrivedSize(trace, source, postStep.m_secondStringArg);
        if (SUCCEEDED(hr) && postStep.Flags().Has(eMove)) {
            long attributes = 0;
            hr = source.File()->ReadAttributes(attributes);
            if (SUCCEEDED(hr))
                hr = (attributes & FILE_ATTRIBUTE_READONLY) ? KIV_E_READ_ONLY_FILE : source.File()->Delete();
        }
        if (FAILED(hr))
            tolv::trace::Error(TOLV_HERE, trace);
    }
    trace->Format(3, "CopyToPC post steps - hr=0x%08X", static_cast<unsigned>(hr));
    return hr;
}
