#pragma once
// The two ways Kivlink compares names without regard to letter case, one for each meaning,
// and never the locale's: the same names must match on every PC.
#include <windows.h>

#include <string_view>

// How the device model finds a name in its lists: only A-Z and a-z are folded, as the phone
// library's own lookups do; every other character must match exactly.
inline bool EqualAsciiIgnoringCase(std::wstring_view left, std::wstring_view right)
{
    if (left.size() != right.size())
        return false;
    const auto fold = [](wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; };
    for (size_t i = 0; i < left.size(); ++i) {
        if (fold(left[i]) != fold(right[i]))
            return false;
    }
    return true;
}

// How Windows compares file names and keywords: ordinal, with the file system's upper-case
// table, whatever the user's locale.
inline bool EqualOrdinalIgnoringCase(std::wstring_view left, std::wstring_view right)
{
    return CompareStringOrdinal(left.data(), static_cast<int>(left.size()), right.data(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}
