#pragma once
// The suite's resources give their texts in the system's ANSI code page; windows and COM take
// wide text.
#include <string>

namespace tolv::ui {

// `text` (ANSI code page) as wide text; empty for null or unconvertible text.
std::wstring AnsiToWide(const char* text);
inline std::wstring AnsiToWide(const std::string& text)
{
    return AnsiToWide(text.c_str());
}

}  // namespace tolv::ui
