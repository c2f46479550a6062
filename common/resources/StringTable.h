// Texts and other resources read in one language, falling back to the language-neutral copy.
#pragma once

#include <windows.h>

#include <string>

namespace tolv::resources {

// Whether the module has the resource `name` of `type` in exactly `language`. The system's
// search falls back on other languages when the one asked for is missing; the suite's only
// fallback is the neutral copy, chosen by the caller.
bool HasResourceInLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language);

// The resource `name` of `type` exactly in `language`, else in the neutral language; loaded
// (not locked). Null when neither exists or it does not load.
HGLOBAL LoadLanguageResource(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language);

// Text `id` of the module's string table in exactly `language` (0 = the neutral copy), as
// stored. Empty when the module has no block of that language for the id or the entry is empty.
std::wstring ReadExactTableEntry(HMODULE module, LANGID language, UINT id);

// Text `id` in `language`, else in the neutral table, converted whole to the system's ANSI
// code page; empty when neither has a text. A null module has no texts.
std::string ReadTableString(HMODULE module, UINT id, LANGID language);

}  // namespace tolv::resources
