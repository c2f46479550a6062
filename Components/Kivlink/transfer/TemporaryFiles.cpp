#include "TemporaryFiles.h"

#include "TransferPaths.h"

#include "trace/TolvTrace.h"

#include <string>

namespace {

constexpr DWORD kTempPathChars = 260;

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

CKivString MakeNamedTempCopy(const wchar_t* source, const wchar_t* name, CTolvTrace* trace)
{
    CKivString target = JoinFolderAndName(TempFolder(), CKivString(name));
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
    return target;
}
