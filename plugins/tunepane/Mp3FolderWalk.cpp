#include "Mp3FolderWalk.h"

#include "com/UniqueHandle.h"

#include <windows.h>

namespace tolv::tunepane {

namespace {

constexpr wchar_t kMp3Extension[] = L".Mp3";
constexpr size_t kMp3ExtensionLength = sizeof(kMp3Extension) / sizeof(wchar_t) - 1;

bool IsEnteredFolder(const WIN32_FIND_DATAW& entry)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN);
}

unsigned long long SizeOf(const WIN32_FIND_DATAW& entry)
{
    return (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

}  // namespace

long SizeInKiB(unsigned long long bytes)
{
    constexpr unsigned long long kBytesPerKiB = 1024;
    return static_cast<long>(bytes / kBytesPerKiB);
}

bool HasMp3Extension(const std::wstring& name)
{
    return name.size() >= kMp3ExtensionLength &&
           _wcsicmp(name.c_str() + name.size() - kMp3ExtensionLength, kMp3Extension) == 0;
}

void WalkMp3Folder(const std::wstring& folder, Mp3TransferList& found)
{
    WIN32_FIND_DATAW entry{};
    tolv::com::unique_find_handle search(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!search)
        return;
    do {
        const std::wstring name = entry.cFileName;
        if (IsEnteredFolder(entry)) {
            // "." and ".." begin with a dot as well, so they are never entered.
            if (name.front() != L'.')
                WalkMp3Folder(folder + L"\\" + name, found);
            continue;
        }
        // A hidden folder is taken as a file here; only its name can make it count.
        if (HasMp3Extension(name))
            found.push_back({folder, name, {}, SizeInKiB(SizeOf(entry))});
    } while (FindNextFileW(search.get(), &entry));
}

}  // namespace tolv::tunepane
