// A PC file to the phone: choosing the target folder and name, keeping or replacing an
// existing file, creating the folder, and the transfer itself, which stores the PC file under
// its own name (so another name travels as a named temporary copy).
#include "CopyRoutes.h"

#include "CopyFlags.h"
#include "CopyOnPhoneCheck.h"
#include "DiffersTest.h"
#include "ExistingDestination.h"
#include "PcFiles.h"
#include "TemporaryFiles.h"
#include "TransferClock.h"
#include "TransferPaths.h"
#include "errors/KivResults.h"
#include "UniqueDestinationName.h"

#include "files/FolderCreation.h"
#include "model/FileDescription.h"
#include "model/SymbianDevice.h"
#include "model/SymbianDeviceDirectory.h"
#include "model/SymbianDeviceFile.h"
#include "operations/LongOperation.h"
#include "paths/PhonePathNormalizer.h"

#include "KivlinkLib.h"
#include "trace/TraceResult.h"

#include <cwchar>

TOLV_TRACE_UNIT("CopyFromPC");

namespace {

struct SPhoneTarget {
    CKivString folder;  // with its trailing backslash
    CKivString name;
    bool rename = false;
    CFileDescription existing;  // the file that stays, with rename
};

// Where the copy goes, and whether a file already there stays.
HRESULT DecideTarget(CKivFileContext& context, const CRequestData& record, const CKivString& sourceName,
                     SPhoneTarget& target)
{
    CTolvTrace* trace = context.trace;
    const CKivString& destination = record.m_secondStringArg;
    const CKivExecutionFlags flags = record.Flags();
    bool intoFolder = false;
    CFileDescription entry;
    HRESULT hr = context.device->GetEntry(destination.c_str(), entry);
    if (SUCCEEDED(hr) && entry.Kind() == KIND_FILE) {
        SFolderAndName parts = SplitFolderAndName(destination.c_str(), false);
        target.folder = parts.folder;
        target.name = parts.name;
        trace->Format(3, "destination is a file");
        hr = JudgeExistingDestination(trace, flags, destination, target.rename);
        TOLV_RETURN_IF_FAILED(hr);
        target.existing = entry;
    } else if (SUCCEEDED(hr) && entry.Kind() == KIND_FOLDER) {
        target.folder = WithTrailingSeparator(entry.Name());
        target.name = sourceName;
        intoFolder = true;
        trace->Format(3, "destination is a directory");
    } else if (SUCCEEDED(hr)) {
        return E_INVALIDARG;
    } else if (IsNotFoundResult(hr)) {
        if (EndsWithSeparator(destination.c_str(), false)) {
            target.folder = destination;
            target.name = sourceName;
            intoFolder = true;
        } else {
            SFolderAndName parts = SplitFolderAndName(destination.c_str(), false);
            target.folder = parts.folder;
            target.name = parts.name;
        }
    } else {
        return hr;
    }
    if (target.name.empty())
        return E_INVALIDARG;

    if (intoFolder) {
        const CKivString path = JoinFolderAndName(target.folder, target.name);
        CFileDescription there;
        if (SUCCEEDED(context.device->GetEntry(path.c_str(), there))) {
            if (there.Kind() != KIND_FILE)
                return KIV_E_FILEEXISTSALREADY;
            hr = JudgeExistingDestination(trace, flags, path, target.rename);
            TOLV_RETURN_IF_FAILED(hr);
            target.existing = there;
        }
    }

    if (target.rename) {
        if (PcFileDiffersFromPhoneFile(record.m_firstStringArg.c_str(), target.existing)) {
            CKivString unique;
            hr = UniquePhoneName(*context.device, target.folder, target.name, unique);
            TOLV_RETURN_IF_FAILED(hr);
            target.name = unique;
        } else if (flags.Has(eNoOverwrite)) {
            return KIV_E_FILEEXISTSALREADY;
        }
    }
    return S_OK;
}

void CreateMissingFolder(CKivFileContext& context, const CKivString& folder)
{
    CFileDescription existing;
    if (SUCCEEDED(context.device->GetDirectory(folder.c_str(), existing)))
        return;
    CKivString normalized;
    if (FAILED(NormalizePhonePath(folder.c_str(), true, normalized)))
        normalized = folder;
    // A failure shows when the folder is looked up for the transfer.
    if (SUCCEEDED(CreatePhoneFolder(*context.device, normalized.c_str(), context.trace, nullptr)) && context.binding)
        context.binding->OnInvalidateParent(normalized.c_str(), false);
}

HRESULT CopyFromPC(CKivFileContext& context, const CRequestData& record)
{
    CTolvTrace* trace = context.trace;
    TraceCopyFlags(trace, "CopyFromPC", record.Flags());
    const CKivString& source = record.m_firstStringArg;
    switch (ClassifyPcPath(source.c_str())) {
    case PC_FOLDER:
        trace->Format(3, "E_STATE: copy directories including content is not supported.");
        return E_INVALIDARG;
    case PC_MISSING:
        trace->Format(3, "E_STATE: source file %s doesn't exist.", source.Narrow().c_str());
        return E_INVALIDARG;
    case PC_FILE:
        break;
    }
    const CKivString sourceName = SplitFolderAndName(source.c_str(), true).name;

    SPhoneTarget target;
    HRESULT hr = DecideTarget(context, record, sourceName, target);
    TOLV_RETURN_IF_FAILED(hr);
    CreateMissingFolder(context, target.folder);

    CKivString transferSource = source;
    CKivString namedCopy;
    if (wcscmp(target.name.c_str(), sourceName.c_str()) != 0) {
        hr = MakeNamedTempCopy(source.c_str(), target.name, trace, namedCopy);
        TOLV_RETURN_IF_FAILED(hr);
        transferSource = namedCopy;
    }
    CKivTempFileGuard namedCopyGuard(namedCopy);
    ULONGLONG pcSize = 0;
    const long expectedSize =
        SUCCEEDED(ReadPcFileSize(transferSource.c_str(), pcSize)) ? PhoneSizeOf(pcSize) : kSizeNoPhoneFileHas;

    CFileDescription folder;
    hr = context.device->GetDirectory(target.folder.c_str(), folder);
    if (FAILED(hr)) {
        trace->Format(3, "S_STATE: destination directory %s does not exist", target.folder.Narrow().c_str());
        return hr;
    }
    CRequestData postStep(record);
    postStep.m_secondStringArg = JoinFolderAndName(target.folder, target.name);
    postStep.m_thirdStringArg = namedCopy;
    postStep.m_secondIntegerArg = expectedSize;
    CKivLongOperation operation(context.handler, context.DisconnectEvent(), trace);
    hr = operation.Register(aidCopyFromPC, source, postStep, REQ_COPY_FROM_PC_POST_STEP);
    TOLV_RETURN_IF_FAILED(hr);
    trace->Format(3, "(%s)->CopyFromPC(%s)", folder.Name().Narrow().c_str(), transferSource.Narrow().c_str());
    long requestId = 0;
    hr = folder.Directory()->StartCopyFromPC(transferSource.c_str(), requestId);
    TOLV_RETURN_IF_FAILED(hr);
    trace->Format(3, "CopyFromPC returns REQID %d", static_cast<int>(requestId));
    operation.Started(requestId);
    // From here the post steps own the named copy.
    namedCopyGuard.Release();
    if (!record.Flags().Has(eBlocked))
        return S_OK;

    HRESULT completion = E_FAIL;
    hr = operation.WaitForCompletion(completion);
    if (SUCCEEDED(hr)) {
        trace->Format(3, "S_STATE: CopyFromPC (synchronous call) finished");
        hr = completion;
    } else if (hr != KIV_E_BADCONNECTION) {
        trace->Format(3, "S_STATE: Copy (synchronous call) failed - try to check if it is there anyway on mobile");
        hr = CheckCopyOnPhone(expectedSize, folder, target.name.c_str(), trace, TransferClock());
    }
    operation.Unregister();
    postStep.m_typ = REQ_COPY_FROM_PC_POST_STEP;
    postStep.m_RetVal = hr;
    return RunCopyFromPCPostSteps(context, postStep);
}

// The phone file that arrived must be as long as what was sent; a short one goes again.
HRESULT CheckArrivedSize(CKivFileContext& context, const CRequestData& postStep)
{
    CTolvTrace* trace = context.trace;
    const CKivString& target = postStep.m_secondStringArg;
    // The folder's listing was read before the transfer: a file object from it may still
    // answer the size of the file that was replaced.
    if (context.binding)
        context.binding->InvalidateParentFolder(target.c_str(), nullptr);
    CFileDescription file;
    HRESULT hr = context.device->GetFile(target.c_str(), file);
    if (FAILED(hr)) {
        // Reported as done but not there: not a success (a move must keep its source).
        tolv::trace::Error(TOLV_HERE, trace);
        return hr;
    }
    long size = 0;
    hr = file.File()->ReadSize(size);
    if (FAILED(hr)) {
        tolv::trace::Error(TOLV_HERE, trace);
        return hr;
    }
    if (size == postStep.m_secondIntegerArg)
        return S_OK;
    file.File()->Delete();
    trace->Format(3, "E_STATE: %s was not fully copied. deleted partly copied data", target.Narrow().c_str());
    if (context.binding)
        context.binding->OnInvalidateParent(target.c_str(), true);
    return KIV_E_NOT_FULLY_COPIED;
}

}  // namespace

HRESULT RunCopyFromPC(CKivFileContext& context, const CRequestData& record)
{
    HRESULT hr = CopyFromPC(context, record);
    context.trace->Format(3, "<<<IKivVolume2::CopyFromPC - hr=0x%08X", static_cast<unsigned>(hr));
    return hr;
}

HRESULT RunCopyFromPCPostSteps(CKivFileContext& context, const CRequestData& postStep)
{
    CTolvTrace* trace = context.trace;
    trace->Format(3, "CopyFromPC post steps () ...");
    HRESULT hr = postStep.m_RetVal;
    // Also after a failure: nothing else would ever remove the copy.
    if (!postStep.m_thirdStringArg.empty())
        DeleteTempFile(postStep.m_thirdStringArg.c_str());
    if (SUCCEEDED(hr))
        hr = CheckArrivedSize(context, postStep);
    if (SUCCEEDED(hr) && postStep.Flags().Has(eMove) && !DeleteFileW(postStep.m_firstStringArg.c_str())) {
        hr = tolv::com::HResultFromLastError();
        tolv::trace::Error(TOLV_HERE, trace);
    }
    trace->Format(3, "CopyFromPC post steps - hr=0x%08X", static_cast<unsigned>(hr));
    return hr;
}
