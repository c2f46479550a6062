#include "tools/kivctl/ChangeWatchPath.h"

#include <cwctype>

#include "tools/kivctl/TransferDirection.h"

namespace {

constexpr wchar_t kMemoryCardFolder[] = L"MultiMediaCard (E:)";
constexpr wchar_t kPhoneMemoryDrive = L'C';
constexpr wchar_t kMemoryCardDrive = L'E';
constexpr size_t kDriveLength = 2;

std::wstring WithFinalSeparator(std::wstring path)
{
    if (path.empty() || path.back() != L'\\') {
        path += L'\\';
    }
    return path;
}

std::wstring Rooted(std::wstring rest)
{
    return rest.empty() || rest.front() != L'\\' ? L"\\" + rest : rest;
}

}  // namespace

std::wstring ChangeWatchPath(const std::wstring& path)
{
    if (!HasDriveLetter(path)) {
        return WithFinalSeparator(path);
    }
    const wchar_t drive = static_cast<wchar_t>(std::towupper(path[0]));
    const std::wstring rest = path.substr(kDriveLength);
    if (drive == kPhoneMemoryDrive) {
        return WithFinalSeparator(Rooted(rest));
    }
    if (drive == kMemoryCardDrive) {
        return WithFinalSeparator(kMemoryCardFolder + Rooted(rest));
    }
    return WithFinalSeparator(path);
}
