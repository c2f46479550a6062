// Kivlink's string table, read in one exact language: a language without its own table
// gives empty texts rather than another language's.
#pragma once

#include <string>

#include <windows.h>

// The text of string `id` in `language` (0 = the neutral copy), as stored. Empty when the
// module has no string-table block of that language or the entry is empty.
std::wstring KivLoadStringW(HMODULE module, LANGID language, UINT id);

// The same text converted to the ANSI code page.
std::string KivLoadString(HMODULE module, LANGID language, UINT id);

// UTF-16 to the ANSI code page; characters it cannot hold become the system's default.
std::string KivWideToAnsi(const std::wstring& text);
std::wstring KivAnsiToWide(const std::string& text);
