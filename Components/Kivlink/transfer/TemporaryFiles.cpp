#include "TemporaryFiles.h"
#include "core/NameComparison.h"

#include "TransferPaths.h"

#include "paths/PathComponent.h"

#include "trace/TolvTrace.h"

#include <string>

namespace {

constexpr DWORD kTempPathChars = 260;

bool FullPath(const wchar_t* path, std::wstring& full)
{
    DWORD size = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (size == 0)
        return false;
    full.assign(size, L'\0');
    DWORD length = GetFullPathNameW(path, size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return false;
    full.resize(length);
    return true;
}

}  // namespace

CKivString TempFolder()
{
    wchar_t folder[kTempPathChars + 1] = {};
    DWORD length = GetTempPathW(kTempPathChars, folder);
    if (length == 0 || length > kTempPathChars)
        return CKivString(L"d:\\Temp\\");
    return WithTrailingSeparator(CKivString(folder));
}

HRESULT MakeUniqueTempFile(CKivString& dataFile)
{
    wchar_t placeholder[MAX_PATH + 1] = {};
    if (GetTempFileNameW(TempFolder().c_str(), L"Kiv", 0, placeholder) == 0)
        return E_FAIL;
    dataFile = CKivString((std::wstring(placeholder) + L".xxx").c_str());
    return S_OK;
}

bool DeleteTempFile(const wchar_t* path)
{
    DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(path, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    return DeleteFileW(path) != FALSE;
}

HRESULT NamedTempCopyPath(const CKivString& name, CKivString& path)
{
    if (!IsPlainName(std::wstring_view(name.c_str(), name.length())))
        return E_INVALIDARG;
    const CKivString folder = TempFolder();
    const CKivString candidate = JoinFolderAndName(folder, name);
    // What Windows makes of it (trailing dots and spaces go, device names stay devices) must
    // still be a file directly in the temporary folder.
    std::wstring resolvedFolder;
    std::wstring resolvedFile;
    if (!FullPath(folder.c_str(), resolvedFolder) || !FullPath(candidate.c_str(), resolvedFile))
        return E_INVALIDARG;
    if (resolvedFile.size() <= resolvedFolder.size() ||
        !EqualOrdinalIgnoringCase(std::wstring_view(resolvedFile).substr(0, resolvedFolder.size()), resolvedFolder) ||
        resolvedFile.find(L'\\', resolvedFolder.size()) != std::wstring::npos)
        return E_INVALIDARG;
    path = candidate;
    return S_OK;
}

HRESULT MakeNamedTempCopy(const wchar_t* source, const CKivString& name, CTolvTrace* trace, CKivString& copy)
{
    CKivString target;
    HRESULT hr = NamedTempCopyPath(name, target);
    if (FAILED(hr)) {
        if (trace)
            trace->Format(3, "E_STATE: %s is no name for a temporary copy.", name.Narrow().c_str());
        return hr;
    }
    // A copy left by an earlier transfer must neither block the new one (read-only) nor,
    // when the new one fails, travel to the phone in its place.
    DeleteTempFile(target.c_str());
    if (!CopyFileW(source, target.c_str(), FALSE)) {
        DWORD error = GetLastError();
        if (trace)
            trace->Format(1, "Unable to copy %s to %s- Error 0x%x", CKivString(source).Narrow().c_str(),
                          target.Narrow().c_str(), static_cast<unsigned>(error));
        DeleteTempFile(target.c_str());
    }
    copy = target;
    return S_OK;
}
