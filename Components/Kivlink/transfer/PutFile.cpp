// A client's stream stored as a phone file: through a PC temporary file, uploaded into the
// destination folder under the temporary name and renamed there.
#include "CopyRoutes.h"

#include "FolderUpload.h"
#include "PcFiles.h"
#include "StreamToTempFile.h"
#include "TransferPaths.h"
#include "errors/KivResults.h"

#include "model/FileDescription.h"
#include "model/SymbianDevice.h"
#include "model/SymbianDeviceDirectory.h"
#include "model/SymbianDeviceFile.h"

#include "KivlinkLib.h"
#include "com/ComPtr.h"
#include "trace/TolvTrace.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("PutFile");

namespace {

// A read-only file is kept; any other file of that name gives way to the new content.
HRESULT ClearDestination(CKivFileContext& context, const CKivString& path)
{
    CFileDescription existing;
    if (FAILED(context.device->GetEntry(path.c_str(), existing)))
        return S_OK;
    if (existing.Kind() != KIND_FILE)
        return KIV_E_FILEEXISTSALREADY;
    if (existing.HasReadOnlyBit())
        return KIV_E_READ_ONLY_FILE;
    return existing.File()->Delete();
}

// The client's stream, unmarshalled on this thread from the record's marshalling stream.
HRESULT TakeClientStream(const CRequestData& record, tolv::com::com_ptr<IStream>& stream)
{
    auto* marshalled = static_cast<IStream*>(record.m_firstInterfaceArg);
    if (!marshalled)
        return E_NOINTERFACE;
    return CoUnmarshalInterface(marshalled, IID_IStream, stream.put_void());
}

}  // namespace

HRESULT RunPutFile(CKivFileContext& context, const CRequestData& record)
{
    CTolvTrace* trace = context.trace;
    const CKivString& path = record.m_firstStringArg;
    const SFolderAndName target = SplitFolderAndName(path.c_str(), false);
    if (target.name.empty())
        return E_INVALIDARG;
    HRESULT hr = ClearDestination(context, path);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);

    CKivString tempFile;
    {
        tolv::com::com_ptr<IStream> stream;
        hr = TakeClientStream(record, stream);
        TOLV_RETURN_IF_FAILED(hr);
        hr = CopyStreamToTempFile(stream.get(), tempFile, trace);
        TOLV_RETURN_IF_FAILED(hr);
    }
    CFileDescription folder;
    if (FAILED(context.device->GetDirectory(target.folder.c_str(), folder))) {
        trace->Format(3, "Dir not found: %s", target.folder.Narrow().c_str());
        return E_INVALIDARG;
    }
    ULONGLONG tempSize = 0;
    hr = ReadPcFileSize(tempFile.c_str(), tempSize);
    TOLV_RETURN_IF_FAILED(hr);
    const long expectedSize = PhoneSizeOf(tempSize);
    hr = SendTempFileIntoFolder(context, record, aidCopyFromPC, folder, tempFile, expectedSize);
    TOLV_RETURN_IF_FAILED(hr);

    const CKivString tempName = SplitFolderAndName(tempFile.c_str(), true).name;
    trace->Format(3, "(%s)->Rename(%s,%s)", folder.Name().Narrow().c_str(), tempName.Narrow().c_str(),
                  target.name.Narrow().c_str());
    hr = RenameUploadedFile(folder, tempFile, target.name);
    TOLV_RETURN_IF_FAILED(hr);
    CFileDescription stored;
    hr = context.device->GetFile(path.c_str(), stored);
    long size = 0;
    if (SUCCEEDED(hr))
        hr = stored.File()->ReadSize(size);
    TOLV_RETURN_IF_FAILED(hr);
    trace->Format(3, "real size=%d, expected size=%d", static_cast<int>(size), static_cast<int>(expectedSize));
    if (size != expectedSize) {
        stored.File()->Delete();
        return KIV_E_NOT_FULLY_COPIED;
    }
    return stored.File()->WriteAttributes(record.m_firstIntegerArg);
}
