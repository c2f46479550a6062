#include "DeviceTexts.h"

#include <windows.h>

#include <cmath>
#include <cwctype>

namespace tolv::plugins {

namespace {

constexpr size_t kExtensionLength = 4;
constexpr long kLargestKilobytes = 1000;
constexpr double kThousandsPerMillion = 0.001;

bool EndsWithNoCase(std::wstring_view text, std::wstring_view ending)
{
    if (text.size() < ending.size())
        return false;
    return CompareStringOrdinal(text.data() + text.size() - ending.size(), static_cast<int>(ending.size()),
                                ending.data(), static_cast<int>(ending.size()), TRUE) == CSTR_EQUAL;
}

struct NamedAttribute {
    const wchar_t* word;
    DWORD bit;
};

// Every word a description may carry except READONLY: it is left out on purpose.
constexpr NamedAttribute kAttributeWords[] = {
    {L"ARCHIVE", FILE_ATTRIBUTE_ARCHIVE},         {L"HIDDEN", FILE_ATTRIBUTE_HIDDEN},
    {L"OFFLINE", FILE_ATTRIBUTE_OFFLINE},         {L"SYSTEM", FILE_ATTRIBUTE_SYSTEM},
    {L"TEMPORARY", FILE_ATTRIBUTE_TEMPORARY},     {L"ENCRYPTED", FILE_ATTRIBUTE_ENCRYPTED},
    {L"SPARSE_FILE", FILE_ATTRIBUTE_SPARSE_FILE}, {L"REPARSE_POINT", FILE_ATTRIBUTE_REPARSE_POINT},
    {L"COMPRESSED", FILE_ATTRIBUTE_COMPRESSED},   {L"NOT_CONTENT_INDEXED", FILE_ATTRIBUTE_NOT_CONTENT_INDEXED},
};

}  // namespace

std::map<int, std::wstring> EntriesToMap(std::wstring_view list, std::wstring_view extension)
{
    std::map<int, std::wstring> entries;
    size_t start = 0;
    for (size_t comma = list.find(L','); comma != std::wstring_view::npos; comma = list.find(L',', start)) {
        const std::wstring_view piece = list.substr(start, comma - start);
        if (extension.size() == kExtensionLength && EndsWithNoCase(piece, extension))
            entries.emplace(static_cast<int>(entries.size()), std::wstring(piece));
        start = comma + 1;
    }
    return entries;
}

std::wstring GetEntrisfromInfo(std::wstring_view info, int n)
{
    size_t equals = std::wstring_view::npos;
    size_t comma = std::wstring_view::npos;
    for (int found = 0; found < n; ++found) {
        equals = info.find(L'=', equals == std::wstring_view::npos ? 0 : equals + 1);
        comma = info.find(L',', comma == std::wstring_view::npos ? 0 : comma + 1);
        if (equals == std::wstring_view::npos || comma == std::wstring_view::npos)
            return {};
    }
    return comma > equals ? std::wstring(info.substr(equals + 1, comma - equals - 1)) : std::wstring();
}

std::wstring CapacityText(long thousands)
{
    if (thousands == 0)
        return L"0 KB";
    if (thousands <= kLargestKilobytes)
        return std::to_wstring(thousands) + L" KB";
    const long millions = static_cast<long>(std::ceil(thousands * kThousandsPerMillion - 0.5));
    return std::to_wstring(millions) + L" MB";
}

DWORD AttributesFromInfo(std::wstring_view info)
{
    if (info.empty())
        return 0;
    DWORD attributes = 0;
    for (const NamedAttribute& named : kAttributeWords)
        if (info.find(named.word) != std::wstring_view::npos)
            attributes |= named.bit;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

}  // namespace tolv::plugins
