// The text that describes a failure code to the user, in the suite's language.
#pragma once

#include <string>

#include <windows.h>

class CTolvTrace;

// The string of Kivlink's table that stands for `hr`, or 0 when the system's message
// table describes it.
UINT KivErrorStringId(HRESULT hr);

// Empty for success codes. Kivlink's own codes take their string from `module`'s table in
// `language`; every other code the system's message in that language, else the "unknown
// error" string formatted with the code. The result is in the ANSI code page and is traced.
std::string KivErrorText(HRESULT hr, LANGID language, HMODULE module, CTolvTrace* trace);

// `pattern` with each "%x" replaced by the code in lower-case hexadecimal and "%%" by "%";
// any other "%" is kept as it stands, so that a translation cannot misuse the argument.
std::string KivFormatWithCode(const std::string& pattern, HRESULT hr);
