#pragma once
// Paths and server texts in the report: plain ASCII, anything else shown as "?".
#include <string>

inline std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text)
        narrow += c > 0 && c < 128 ? static_cast<char>(c) : '?';
    return narrow;
}
