// Texts and other resources read in one language, falling back to the language-neutral copy.
#pragma once

#include <windows.h>

#include <string>

namespace tolv::resources {

// The resource `name` of `type` exactly in `language`, else in the neutral language; loaded
// (not locked). Null when neither exists or it does not load.
HGLOBAL LoadLanguageResource(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language);

// Text `id` of the module's string tables in `language`, in the system's ANSI code page. The
// neutral table answers when the language has no block for the id or an empty entry; empty
// when neither has a text. A null module has no texts.
std::string ReadTableString(HMODULE module, UINT id, LANGID language);

}  // namespace tolv::resources
