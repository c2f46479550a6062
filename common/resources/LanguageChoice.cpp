#include "resources/LanguageChoice.h"

namespace tolv::resources {

LANGID ChooseSuiteLanguage(CLanguageModuleResource& resource, DWORD contexts)
{
    LANGID language = 0;
    if (FAILED(ReadSuiteLanguage(contexts, language))) {
        language = GetSystemDefaultLangID();
        resource.SetLanguage(language);
        return language;
    }
    resource.SetLanguage(language);
    SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
    return language;
}

}  // namespace tolv::resources
