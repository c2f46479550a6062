#include "PhoneFolderTree.h"

#include "DefaultPhoneFolder.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

namespace tolv::photopane {

namespace {

constexpr wchar_t kSeparator = L',';
constexpr wchar_t kBackslash = L'\\';
constexpr wchar_t kColon = L':';
constexpr size_t kDriveLength = 2;  // "E:"
constexpr wchar_t kCardLabelStart[] = L"MultiMediaCard (";
constexpr wchar_t kCardLabelEnd[] = L")";
constexpr std::wstring_view kAttributeKey = L"Attribute=";
constexpr std::wstring_view kFolderWord = L"DIRECTORY";

bool IsDrive(std::wstring_view text)
{
    return text.size() == kDriveLength && iswalpha(text[0]) && text[1] == kColon;
}

}  // namespace

std::wstring DriveLabel(std::wstring_view drive)
{
    if (!SamePhonePath(drive, kMemoryCardDrive))
        return std::wstring(drive);
    return kCardLabelStart + std::wstring(drive) + kCardLabelEnd;
}

std::vector<std::wstring> ListedNames(std::wstring_view list)
{
    std::vector<std::wstring> names;
    for (size_t comma = list.find(kSeparator); comma != std::wstring_view::npos; comma = list.find(kSeparator)) {
        if (comma > 0)
            names.emplace_back(list.substr(0, comma));
        list.remove_prefix(comma + 1);
    }
    return names;
}

std::wstring ChildPath(std::wstring_view folder, std::wstring_view name)
{
    std::wstring path(folder);
    if (path.empty() || path.back() != kBackslash)
        path.push_back(kBackslash);
    return path.append(name);
}

std::wstring ListingPath(std::wstring_view folder)
{
    std::wstring path(folder);
    if (IsDrive(folder))
        path.push_back(kBackslash);
    return path;
}

bool IsFolderInfo(std::wstring_view info)
{
    const size_t key = info.find(kAttributeKey);
    if (key == std::wstring_view::npos)
        return false;
    return info.substr(key + kAttributeKey.size()).starts_with(kFolderWord);
}

std::vector<std::wstring> TrailingFolders(const std::vector<std::wstring>& names,
                                          const std::function<bool(const std::wstring& name)>& isFolder)
{
    const auto firstFolder =
        std::partition_point(names.begin(), names.end(), [&](const std::wstring& name) { return !isFolder(name); });
    return std::vector<std::wstring>(firstFolder, names.end());
}

std::vector<std::wstring> PathChain(std::wstring_view path)
{
    std::vector<std::wstring> chain;
    if (path.size() < kDriveLength || !IsDrive(path.substr(0, kDriveLength)))
        return chain;
    chain.emplace_back(path.substr(0, kDriveLength));
    std::wstring_view rest = path.substr(kDriveLength);
    while (!rest.empty()) {
        const size_t end = rest.find(kBackslash);
        const std::wstring_view name = rest.substr(0, end);
        if (!name.empty())
            chain.push_back(ChildPath(chain.back(), name));
        if (end == std::wstring_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return chain;
}

bool SamePhonePath(std::wstring_view left, std::wstring_view right)
{
    return CompareStringOrdinal(left.data(), static_cast<int>(left.size()), right.data(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace tolv::photopane
