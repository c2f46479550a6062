#pragma once
// The suite's resources give their texts in the ANSI code page; windows and boxes take wide text.
#include <windows.h>

#include <string>

namespace tolv::ui {

// `text` (ANSI code page) as wide text; null or empty gives an empty string.
std::wstring AnsiToWide(const char* text);
inline std::wstring AnsiToWide(const std::string& text)
{
    return AnsiToWide(text.c_str());
}

}  // namespace tolv::ui
