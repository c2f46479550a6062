#include "PathShortening.h"

namespace tolv::plugins {

namespace {

constexpr wchar_t kEllipsis[] = L"...";

}  // namespace

std::wstring ShortenPath(const std::wstring& path, int maxWidth, const TextWidth& width)
{
    if (width(path) <= maxWidth)
        return path;
    const size_t colon = path.find(L':');
    const size_t restStart = colon == std::wstring::npos ? 0 : colon + 1;
    const std::wstring kept = path.substr(0, restStart) + kEllipsis;
    std::wstring rest = path.substr(restStart);
    while (!rest.empty() && width(kept + rest) > maxWidth)
        rest.erase(0, 1);
    return kept + rest;
}

}  // namespace tolv::plugins
