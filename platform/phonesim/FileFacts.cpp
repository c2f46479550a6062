#include "platform/phonesim/FileFacts.h"

#include <algorithm>

#include "com/HResult.h"
#include "com/UniqueHandle.h"

namespace phonesim {

namespace {

bool ByNameIgnoringCase(const std::wstring& left, const std::wstring& right)
{
    return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                                static_cast<int>(right.size()), TRUE) == CSTR_LESS_THAN;
}

}  // namespace

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    if (name.empty()) {
        return folder;
    }
    if (folder.empty()) {
        return name;
    }
    if ((folder.back() == L'\\' || folder.back() == L'/')) {
        return folder + name;
    }
    return folder + L'\\' + name;
}

HRESULT ReadEntryFacts(const std::wstring& path, EntryFacts& facts)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    RETURN_LAST_ERROR_IF(!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
    facts.attributes = data.dwFileAttributes;
    facts.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    facts.lastWrite = data.ftLastWriteTime;
    return S_OK;
}

bool IsExistingFolder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsExistingFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

HRESULT ListFolder(const std::wstring& folder, std::vector<std::wstring>& folders, std::vector<std::wstring>& files)
{
    folders.clear();
    files.clear();
    WIN32_FIND_DATAW found{};
    const tolv::com::unique_find_handle search(FindFirstFileW(JoinPath(folder, L"*").c_str(), &found));
    if (!search) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? S_OK : tolv::com::HResultFromWin32Failure(error);
    }
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? folders : files).push_back(name);
    } while (FindNextFileW(search.get(), &found));
    std::sort(folders.begin(), folders.end(), ByNameIgnoringCase);
    std::sort(files.begin(), files.end(), ByNameIgnoringCase);
    return S_OK;
}

unsigned long long FolderUsage(const std::wstring& folder)
{
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;
    if (FAILED(ListFolder(folder, folders, files))) {
        return 0;
    }
    unsigned long long total = 0;
    for (const std::wstring& file : files) {
        EntryFacts facts;
        if (SUCCEEDED(ReadEntryFacts(JoinPath(folder, file), facts))) {
            total += facts.size;
        }
    }
    for (const std::wstring& child : folders) {
        total += FolderUsage(JoinPath(folder, child));
    }
    return total;
}

namespace {

HRESULT ListTreeBelow(const std::wstring& folder, const std::wstring& prefix, std::vector<TreeEntry>& entries)
{
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;
    RETURN_IF_FAILED(ListFolder(JoinPath(folder, prefix), folders, files));
    for (const std::wstring& file : files) {
        entries.push_back({JoinPath(prefix, file), false});
    }
    for (const std::wstring& child : folders) {
        const std::wstring relative = JoinPath(prefix, child);
        entries.push_back({relative, true});
        RETURN_IF_FAILED(ListTreeBelow(folder, relative, entries));
    }
    return S_OK;
}

}  // namespace

HRESULT ListTree(const std::wstring& folder, std::vector<TreeEntry>& entries)
{
    entries.clear();
    return ListTreeBelow(folder, L"", entries);
}

HRESULT CreateFolderChain(const std::wstring& folder)
{
    if (folder.empty() || IsExistingFolder(folder)) {
        return S_OK;
    }
    const size_t cut = folder.find_last_of(L"\\/");
    if (cut != std::wstring::npos && cut > 0 && folder[cut - 1] != L':') {
        RETURN_IF_FAILED(CreateFolderChain(folder.substr(0, cut)));
    }
    if (!CreateDirectoryW(folder.c_str(), nullptr)) {
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS || !IsExistingFolder(folder)) {
            return tolv::com::HResultFromWin32Failure(error);
        }
    }
    return S_OK;
}

HRESULT DeleteAnyFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    RETURN_LAST_ERROR_IF(!DeleteFileW(path.c_str()));
    return S_OK;
}

HRESULT RemoveTree(const std::wstring& folder)
{
    std::vector<std::wstring> folders;
    std::vector<std::wstring> files;
    RETURN_IF_FAILED(ListFolder(folder, folders, files));
    for (const std::wstring& file : files) {
        RETURN_IF_FAILED(DeleteAnyFile(JoinPath(folder, file)));
    }
    for (const std::wstring& child : folders) {
        RETURN_IF_FAILED(RemoveTree(JoinPath(folder, child)));
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RETURN_LAST_ERROR_IF(!RemoveDirectoryW(folder.c_str()));
    return S_OK;
}

HRESULT SetFileTimes(const std::wstring& path, const FILETIME& time, bool alsoCreation)
{
    // A read-only file refuses write access, so its bit is lifted for the change.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly) {
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    tolv::com::unique_handle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    HRESULT hr = S_OK;
    if (!file) {
        hr = tolv::com::HResultFromLastError();
    } else if (!SetFileTime(file.get(), alsoCreation ? &time : nullptr, nullptr, &time)) {
        hr = tolv::com::HResultFromLastError();
    }
    file.reset();
    if (readOnly) {
        SetFileAttributesW(path.c_str(), attributes);
    }
    return hr;
}

}  // namespace phonesim

namespace phonesim {

std::wstring FreeSiblingName(const std::wstring& folder, const std::wstring& name)
{
    const size_t dot = name.find_last_of(L'.');
    const std::wstring base = dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
    const std::wstring extension = dot == std::wstring::npos || dot == 0 ? std::wstring() : name.substr(dot);
    for (unsigned number = 1;; ++number) {
        const std::wstring candidate = base + L" (" + std::to_wstring(number) + L")" + extension;
        if (GetFileAttributesW(JoinPath(folder, candidate).c_str()) == INVALID_FILE_ATTRIBUTES) {
            return candidate;
        }
    }
}

}  // namespace phonesim
