#include "plugins/common/FolderPathRules.h"

#include <string>

#include <windows.h>

namespace tolv::plugins {

namespace {

constexpr size_t kDriveRootLength = 3;  // "C:\"
constexpr wchar_t kSeparator = L'\\';
constexpr std::wstring_view kForbiddenInNames = L"<\"*/:>?\\|";
constexpr std::wstring_view kForbiddenAtNameEnds = L" \t.";

bool IsDriveLetter(wchar_t letter) noexcept
{
    return (letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z');
}

bool IsWellFormedName(std::wstring_view name) noexcept
{
    if (name.empty()) {
        return false;
    }
    if (kForbiddenAtNameEnds.find(name.front()) != std::wstring_view::npos ||
        kForbiddenAtNameEnds.find(name.back()) != std::wstring_view::npos) {
        return false;
    }
    return name.find_first_of(kForbiddenInNames) == std::wstring_view::npos;
}

}  // namespace

bool IsWellFormedFolderPath(std::wstring_view path) noexcept
{
    if (path.size() < kDriveRootLength || path.size() > kMaxFolderPathLength) {
        return false;
    }
    if (!IsDriveLetter(path[0]) || path[1] != L':' || path[2] != kSeparator) {
        return false;
    }
    std::wstring_view rest = path.substr(kDriveRootLength);
    if (rest.empty()) {
        return true;
    }
    for (;;) {
        const size_t separator = rest.find(kSeparator);
        if (!IsWellFormedName(rest.substr(0, separator))) {
            return false;
        }
        if (separator == std::wstring_view::npos) {
            return true;
        }
        rest = rest.substr(separator + 1);
    }
}

bool IsExistingFolder(std::wstring_view path) noexcept
{
    try {
        const DWORD attributes = GetFileAttributesW(std::wstring(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    } catch (...) {
        return false;
    }
}

bool IsAcceptableFolder(std::wstring_view path) noexcept
{
    return IsWellFormedFolderPath(path) && IsExistingFolder(path);
}

}  // namespace tolv::plugins
