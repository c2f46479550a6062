// The code a language goes by in the names of language modules, such as "DE_DE".
#pragma once

#include <windows.h>

namespace tolv::resources {

// The code of one of the suite's 26 languages; any other language is "EN_US".
const wchar_t* LanguageCode(LANGID language) noexcept;

}  // namespace tolv::resources
