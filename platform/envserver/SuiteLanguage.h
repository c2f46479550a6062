// The suite's language for the current user: HKCU "Software\Vostrel\Pellary", value
// "Language" (REG_DWORD holding a LANGID). Without a usable value the user's default
// user-interface language of Windows stands in.
#pragma once

#include <windows.h>

namespace envserver {

LANGID ReadSuiteLanguage();
// Stores the choice; 0 removes it, so that the Windows default applies again.
HRESULT WriteSuiteLanguage(LANGID language);
// The language's code among the suite's languages, such as "DE_DE"; "EN_US" for any other.
const wchar_t* SuiteLanguageCode(LANGID language);

}  // namespace envserver
