// A copy inside the phone, which the phone library cannot do itself: the file travels to a PC
// temporary file and back into the target folder, where it arrives under the temporary name
// and is renamed.
#include "CopyRoutes.h"

#include "FolderUpload.h"
#include "PcFiles.h"
#include "TransferClock.h"
#include "TransferPaths.h"
#include "errors/KivResults.h"

#include "model/FileDescription.h"
#include "model/SymbianDevice.h"
#include "model/SymbianDeviceDirectory.h"
#include "model/SymbianDeviceFile.h"

#include "KivlinkLib.h"
#include "trace/TolvTrace.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("InDeviceCopy");

HRESULT RunInDeviceCopy(CKivFileContext& context, const CRequestData& record)
{
    CTolvTrace* trace = context.trace;
    const CKivString& sourcePath = record.m_firstStringArg;
    const CKivString& newPath = record.m_secondStringArg;
    CFileDescription existing;
    // Refused before anything travels: the final rename would fail and leave the copy on
    // the phone under its temporary name.
    if (SUCCEEDED(context.device->GetEntry(newPath.c_str(), existing))) {
        trace->Format(3, "E_STATE: destination %s must not exist, no overwrite", newPath.Narrow().c_str());
        return KIV_E_FILEEXISTSALREADY;
    }
    CFileDescription source;
    HRESULT hr = context.device->GetFile(sourcePath.c_str(), source);
    if (FAILED(hr)) {
        CFileDescription folder;
        if (SUCCEEDED(context.device->GetEntry(sourcePath.c_str(), folder)) && folder.Kind() == KIND_FOLDER) {
            trace->Format(3, "E_STATE: can not copy %s. Copying folders is not supported.",
                          sourcePath.Narrow().c_str());
            return KIV_E_SERVICENOTSUPPORTED;
        }
        return hr;
    }
    CKivString tempFile;
    hr = CopyToTempFile(context, sourcePath.c_str(), tempFile);
    if (FAILED(hr)) {
        trace->Format(3, "E_STATE: Attempt to copy %s to temporary file %s failed", sourcePath.Narrow().c_str(),
                      tempFile.Narrow().c_str());
        return hr;
    }

    const SFolderAndName target = SplitFolderAndName(newPath.c_str(), false);
    CFileDescription folder;
    if (target.name.empty() || FAILED(context.device->GetEntry(target.folder.c_str(), folder)) ||
        folder.Kind() != KIND_FOLDER) {
        trace->Format(3, "E_STATE: %s is not a directory", target.folder.Narrow().c_str());
        return E_INVALIDARG;
    }
    ULONGLONG tempSize = 0;
    hr = ReadPcFileSize(tempFile.c_str(), tempSize);
    TOLV_RETURN_IF_FAILED(hr);
    const long expectedSize = PhoneSizeOf(tempSize);
    hr = SendTempFileIntoFolder(context, record, aidCopyToPC, folder, tempFile, expectedSize);
    TOLV_RETURN_IF_FAILED(hr);

    hr = RenameUploadedFile(folder, tempFile, target.name);
    if (FAILED(hr)) {
        if (context.binding)
            context.binding->OnInvalidateParent(newPath.c_str(), true);
        return hr;
    }

    CFileDescription copied;
    hr = context.device->GetFile(newPath.c_str(), copied);
    long size = 0;
    if (SUCCEEDED(hr))
        hr = copied.File()->ReadSize(size);
    TOLV_RETURN_IF_FAILED(hr);
    if (size != expectedSize) {
        copied.File()->Delete();
        trace->Format(3, "E_STATE: %s was not fully copied. deleted partly copied data", newPath.Narrow().c_str());
        if (context.binding)
            context.binding->OnInvalidateParent(newPath.c_str(), true);
        return KIV_E_NOT_FULLY_COPIED;
    }
    return S_OK;
}
