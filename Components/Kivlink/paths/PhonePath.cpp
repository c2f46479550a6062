#include "PhonePath.h"
#include "Components/Kivlink/core/NameComparison.h"

#include "PathComponent.h"
#include "PhonePathNormalizer.h"
#include "WindowsPathParts.h"

#include <new>
#include <string>
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("PhonePath");

namespace {

// A shared copy of text that may hold zeros; false when it cannot be allocated.
bool MakeString(std::wstring_view text, CKivString& result)
{
    BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!copy)
        return false;
    result = CKivString::Attach(copy);
    return result.length() == text.size();
}

bool IsWildcard(wchar_t c)
{
    return c == L'?' || c == L'*';
}

bool IsDriveLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

template <typename T>
void Write(T* out, const T& value)
{
    if (out)
        *out = value;
}

}  // namespace

CPhonePath::CPhonePath(std::wstring_view path)
{
    Parse(path);
}

CPhonePath::CPhonePath(const wchar_t* path) : CPhonePath(path ? std::wstring_view(path) : std::wstring_view()) {}

CPhonePath::CPhonePath(const CKivString& path) : CPhonePath(std::wstring_view(path.c_str(), path.length())) {}

void CPhonePath::Parse(std::wstring_view path)
{
    // The length must survive the trip into a BSTR.
    if (path.size() > 0x7FFFFFF0u)
        return;
    bool valid = false;
    try {
        valid = MakeString(path, m_path) && path.size() >= 2;
        valid = valid && CheckCharacters(path);
        valid = valid && SplitParts(path);
        // "E:" alone or "E:\...": anything else between the drive and the first
        // backslash would leave the device model a first component that is no drive.
        valid = valid && IsDriveLetter(path[0]) && path[1] == L':' && (path.size() == 2 || path[2] == L'\\');
        valid = valid && SplitComponents(path);
    } catch (const std::bad_alloc&) {
        valid = false;
    }
    m_iterationIndex = 0;
    m_valid = valid;
    if (!valid) {
        m_hasWildcard = false;
        m_prefixes.clear();
        m_names.clear();
        m_drive = m_folder = m_fileName = m_extension = CKivString();
        m_drivePart = m_driveAndFolder = m_driveFolderAndFileName = CKivString();
    }
}

bool CPhonePath::CheckCharacters(std::wstring_view path)
{
    // The drive's two characters are checked with the drive itself.
    bool wildcardSeen = false;
    for (size_t i = 2; i < path.size(); ++i) {
        wchar_t c = path[i];
        // A phone path separates with backslashes only; a slash (a separator to every PC file
        // call) or a second drive colon would let the path name another place on the PC.
        if (c == L'\0' || c == L'/' || c == L':')
            return false;
        // A wildcard may only stand in the last component.
        if (c == L'\\' && wildcardSeen)
            return false;
        if (IsWildcard(c))
            wildcardSeen = true;
    }
    m_hasWildcard = wildcardSeen;
    return true;
}

bool CPhonePath::SplitParts(std::wstring_view path)
{
    SWindowsPathParts parts;
    if (!SplitWindowsPath(path, parts) || parts.drive.empty())
        return false;
    std::wstring driveAndFolder = parts.drive + parts.folder;
    std::wstring driveFolderAndFileName = driveAndFolder + parts.fileName;
    return MakeString(parts.drive, m_drive) && MakeString(parts.folder, m_folder) &&
           MakeString(parts.fileName, m_fileName) && MakeString(parts.extension, m_extension) &&
           MakeString(parts.drive, m_drivePart) && MakeString(driveAndFolder, m_driveAndFolder) &&
           MakeString(driveFolderAndFileName, m_driveFolderAndFileName);
}

bool CPhonePath::SplitComponents(std::wstring_view path)
{
    size_t start = 0;
    for (;;) {
        size_t backslash = path.find(L'\\', start);
        size_t end = backslash == std::wstring_view::npos ? path.size() : backslash;
        if (start > 0 && IsDotName(path.substr(start, end - start)))
            return false;
        CKivString prefix;
        CKivString name;
        if (!MakeString(path.substr(0, end), prefix) || !MakeString(path.substr(start, end - start), name))
            return false;
        m_prefixes.push_back(std::move(prefix));
        m_names.push_back(std::move(name));
        if (backslash == std::wstring_view::npos)
            return true;
        start = backslash + 1;
    }
}

bool CPhonePath::IsFile() const
{
    return m_valid && !(m_fileName.empty() && m_extension.empty());
}

bool CPhonePath::IsFolder() const
{
    return m_valid && m_fileName.empty() && m_extension.empty();
}

HRESULT CPhonePath::GetFirstPrefix(CKivString* prefix)
{
    if (!m_valid)
        return E_INVALIDARG;
    Write(prefix, m_prefixes.front());
    m_iterationIndex = 1;
    return S_OK;
}

HRESULT CPhonePath::GetNextAfter(std::wstring_view folder, CKivString* prefix, CKivString* name)
{
    if (!m_valid)
        return E_INVALIDARG;
    std::wstring wanted;
    HRESULT hr = NormalizePhonePath(folder, true, wanted);
    if (hr == E_OUTOFMEMORY)
        return hr;
    if (FAILED(hr))
        return E_INVALIDARG;

    std::wstring candidate;
    for (size_t i = 0; i + 1 < m_prefixes.size(); ++i) {
        const CKivString& current = m_prefixes[i];
        hr = NormalizePhonePath(std::wstring_view(current.c_str(), current.length()), true, candidate);
        if (hr == E_OUTOFMEMORY)
            return hr;
        if (SUCCEEDED(hr) && EqualOrdinalIgnoringCase(candidate, wanted)) {
            Write(prefix, m_prefixes[i + 1]);
            Write(name, m_names[i + 1]);
            m_iterationIndex = i + 2;
            return S_OK;
        }
    }
    return E_INVALIDARG;
}

HRESULT CPhonePath::GetSplitParts(CKivString* drive, CKivString* folder, CKivString* fileName,
                                  CKivString* extension) const
{
    if (!m_valid)
        return E_FAIL;
    Write(drive, m_drive);
    Write(folder, m_folder);
    Write(fileName, m_fileName);
    Write(extension, m_extension);
    return S_OK;
}

HRESULT CPhonePath::GetJoinedParts(CKivString* drive, CKivString* driveAndFolder,
                                   CKivString* driveFolderAndFileName) const
{
    if (!m_valid)
        return E_FAIL;
    Write(drive, m_drivePart);
    Write(driveAndFolder, m_driveAndFolder);
    Write(driveFolderAndFileName, m_driveFolderAndFileName);
    return S_OK;
}

HRESULT CPhonePath::GetParent(CKivString* folderPath, CKivString* folderName) const
{
    if (!m_valid)
        return E_FAIL;
    size_t count = m_prefixes.size();
    size_t beforeLast = count >= 2 ? count - 2 : 0;
    size_t folderIndex = IsFile() ? beforeLast : count - 1;
    return AnswerFolder(folderIndex, beforeLast, folderPath, folderName);
}

HRESULT CPhonePath::GetFolderParent(CKivString* folderPath, CKivString* folderName) const
{
    if (!m_valid)
        return E_FAIL;
    size_t count = m_prefixes.size();
    size_t index = count <= 2 ? 0 : count - 3;
    return AnswerFolder(index, index, folderPath, folderName);
}

HRESULT CPhonePath::AnswerFolder(size_t prefixIndex, size_t nameIndex, CKivString* folderPath,
                                 CKivString* folderName) const
{
    CKivString path = m_prefixes[prefixIndex];
    if (folderPath) {
        HRESULT hr = EnsureTrailingBackslash(path);
        TOLV_RETURN_IF_FAILED(hr);
    }
    Write(folderPath, path);
    Write(folderName, m_names[nameIndex]);
    return S_OK;
}

HRESULT CPhonePath::GetLastName(CKivString* name) const
{
    if (!m_valid)
        return E_FAIL;
    Write(name, m_names.back());
    return S_OK;
}

HRESULT CPhonePath::GetPattern(CKivString* pattern) const
{
    if (!m_hasWildcard)
        return E_FAIL;
    Write(pattern, m_names.back());
    return S_OK;
}

HRESULT CPhonePath::EnsureTrailingBackslash(CKivString& text)
{
    UINT length = text.length();
    if (length > 0 && text.c_str()[length - 1] == L'\\')
        return S_OK;
    BSTR extended = SysAllocStringLen(nullptr, length + 1);
    if (!extended)
        return E_OUTOFMEMORY;
    wmemcpy(extended, text.c_str(), length);
    extended[length] = L'\\';
    CKivString result = CKivString::Attach(extended);
    if (result.length() != length + 1)
        return E_OUTOFMEMORY;
    text = std::move(result);
    return S_OK;
}
