#include "tests/plugin_texts/SuiteLanguages.h"

#include <cwchar>
#include <limits>

#include "resources/LanguageCodes.h"

namespace {

std::vector<LANGID> FindSuiteLanguages()
{
    // Any language outside the suite goes by the American English code.
    const wchar_t* const otherLanguages = tolv::resources::LanguageCode(kNeutralLanguage);
    std::vector<LANGID> languages;
    for (unsigned language = 1; language <= std::numeric_limits<LANGID>::max(); ++language) {
        const auto id = static_cast<LANGID>(language);
        if (id == kAmericanEnglish || std::wcscmp(tolv::resources::LanguageCode(id), otherLanguages) != 0) {
            languages.push_back(id);
        }
    }
    return languages;
}

}  // namespace

const std::vector<LANGID>& SuiteLanguages()
{
    static const std::vector<LANGID> languages = FindSuiteLanguages();
    return languages;
}
