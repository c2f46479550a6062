#include "platform/kivproxy/RelativeEntryList.h"

#include <windows.h>

namespace kivproxy {

namespace {

constexpr wchar_t kSeparator = L',';
constexpr wchar_t kBackslash = L'\\';

bool HasWildcard(std::wstring_view text)
{
    return text.find_first_of(L"*?") != std::wstring_view::npos;
}

// "C:\MP3" and "C:\MP3\" both give "C:\MP3\"; "C:\MP3\*.mp3" gives "C:\MP3\".
std::wstring PrefixOf(std::wstring_view folder)
{
    const size_t lastSlash = folder.find_last_of(kBackslash);
    if (lastSlash != std::wstring_view::npos && HasWildcard(folder.substr(lastSlash + 1))) {
        folder = folder.substr(0, lastSlash);
    }
    std::wstring prefix(folder);
    if (prefix.empty() || prefix.back() != kBackslash) {
        prefix.push_back(kBackslash);
    }
    return prefix;
}

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix)
{
    if (text.size() < prefix.size()) {
        return false;
    }
    return CompareStringOrdinal(text.data(), static_cast<int>(prefix.size()), prefix.data(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::wstring RelativeEntryList(std::wstring_view folder, std::wstring_view fullPaths)
{
    const std::wstring prefix = PrefixOf(folder);
    std::wstring relative;
    relative.reserve(fullPaths.size());
    while (!fullPaths.empty()) {
        const size_t end = fullPaths.find(kSeparator);
        const std::wstring_view name = fullPaths.substr(0, end);
        const bool inside = name.size() > prefix.size() && StartsWithIgnoringCase(name, prefix);
        relative.append(inside ? name.substr(prefix.size()) : name);
        relative.push_back(kSeparator);
        if (end == std::wstring_view::npos) {
            break;
        }
        fullPaths.remove_prefix(end + 1);
    }
    return relative;
}

}  // namespace kivproxy
