// A phone file's content handed to a client: the whole file in a PC temporary file first, over
// which the caller then opens the client's stream.
#include "CopyRoutes.h"

#include "files/FileOperations.h"
#include "paths/PhonePath.h"

#include "model/FileDescription.h"
#include "model/SymbianDevice.h"

#include "trace/TolvTrace.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("GetFile");

HRESULT RunGetFile(CKivFileContext& context, const CRequestData& record)
{
    const CKivString& path = record.m_firstStringArg;
    CPhonePath phonePath(path);
    CKivString name;
    if (!phonePath.IsValid() || phonePath.HasWildcard() || FAILED(phonePath.GetLastName(&name)) || name.empty() ||
        path.c_str()[path.length() - 1] == L'\\')
        return E_INVALIDARG;
    CFileDescription file;
    HRESULT hr = context.device->GetFile(path.c_str(), file);
    if (FAILED(hr)) {
        context.trace->Format(3, "Failed to get %s: 0x%08X", path.Narrow().c_str(), static_cast<unsigned>(hr));
        return hr;
    }
    CKivString tempFile;
    hr = CopyToTempFile(context, path.c_str(), tempFile);
    if (FAILED(hr)) {
        context.trace->Format(3, "Failed to copy file content to temp file %s", tempFile.Narrow().c_str());
        return hr;
    }
    return AnswerText(record, tempFile);
}
