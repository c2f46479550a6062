#include "FolderCreation.h"

#include "model/FileDescription.h"
#include "model/SymbianDevice.h"
#include "model/SymbianDeviceDirectory.h"
#include "paths/PhonePath.h"

#include "trace/TolvTrace.h"

#include <string>
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("FolderCreation");

namespace {

// The folder's path without the trailing backslash its callers may give, the drive root
// excepted ("C:\" stays, "C:" becomes it).
std::wstring WithoutTrailingBackslash(const wchar_t* path)
{
    std::wstring text(path ? path : L"");
    while (text.size() > 3 && text.back() == L'\\')
        text.pop_back();
    if (text.size() == 2 && text[1] == L':')
        text += L'\\';
    return text;
}

}  // namespace

HRESULT CreatePhoneFolder(CSymbianDevice& device, const wchar_t* path, CTolvTrace* trace, CKivString* changedParent)
{
    const std::wstring folderPath = WithoutTrailingBackslash(path);
    CPhonePath parsed(folderPath);
    if (!parsed.IsValid() || parsed.HasWildcard())
        return E_INVALIDARG;
    CFileDescription existing;
    if (SUCCEEDED(device.GetDirectory(folderPath.c_str(), existing)))
        return S_OK;

    CFileDescription drive;
    HRESULT hr = device.GetDrive(folderPath.c_str(), drive);
    if (FAILED(hr)) {
        if (trace)
            trace->Format(3, "Invalid path %s - Drive doesn't exist", CKivString(folderPath.c_str()).Narrow().c_str());
        return hr;
    }
    CKivString parentPath;
    CKivString name;
    hr = parsed.GetParent(&parentPath, nullptr);
    if (SUCCEEDED(hr))
        hr = parsed.GetLastName(&name);
    if (FAILED(hr) || name.empty())
        return FAILED(hr) ? hr : E_INVALIDARG;

    CFileDescription parent;
    if (FAILED(device.GetDirectory(parentPath.c_str(), parent))) {
        hr = CreatePhoneFolder(device, parentPath.c_str(), trace, nullptr);
        TOLV_RETURN_IF_FAILED(hr);
        hr = device.GetDirectory(parentPath.c_str(), parent);
        TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    }
    hr = parent.Directory()->CreateSubFolder(name.c_str());
    TOLV_RETURN_IF_FAILED(hr);
    if (changedParent) {
        *changedParent = parentPath;
        if (trace)
            trace->Format(3, "Changed %s - invalidate later...", parentPath.Narrow().c_str());
    }
    return S_OK;
}
