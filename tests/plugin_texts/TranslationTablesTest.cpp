// Both transfer plug-ins' tables: every text in the neutral copy and in each of the suite's
// languages, nothing beyond the id list, translations that keep what code relies on, and the
// neutral fallback for a language the suite does not carry.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <span>
#include <string>

#include "plugins/photopane/PhotopaneStringIds.h"
#include "plugins/tunepane/TunepaneStringIds.h"
#include "resources/LanguageModuleResource.h"
#include "resources/StringTable.h"
#include "tests/plugin_texts/StringTableWalk.h"
#include "tests/plugin_texts/SuiteLanguages.h"
#include "tests/plugin_texts/TextModules.h"
#include "tests/plugin_texts/TextShape.h"

using tolv::resources::ReadExactTableEntry;

namespace {

constexpr std::size_t kSuiteLanguageCount = 26;
constexpr LANGID kJapanese = 1041;  // not among the suite's languages
// The English variants may keep every text as it is; any other language translates most of them.
constexpr WORD kEnglishPrimaryLanguage = LANG_ENGLISH;

struct PluginTexts {
    const char* name;
    HMODULE (*module)();
    std::span<const UINT> ids;
};

// Failures name the plug-in, not the bytes of its entry.
void PrintTo(const PluginTexts& plugin, std::ostream* out)
{
    *out << plugin.name;
}

const PluginTexts kPlugins[] = {
    {"Tunepane", TunepaneTextsModule, tolv::tunepane::kAllStringIds},
    {"Photopane", PhotopaneTextsModule, tolv::photopane::kAllStringIds},
};

std::vector<LANGID> NeutralAndSuiteLanguages()
{
    std::vector<LANGID> languages{kNeutralLanguage};
    languages.insert(languages.end(), SuiteLanguages().begin(), SuiteLanguages().end());
    return languages;
}

class TranslationTables : public ::testing::TestWithParam<PluginTexts> {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SuiteLanguages().size(), kSuiteLanguageCount);
        m_module = GetParam().module();
        ASSERT_NE(m_module, nullptr);
    }

    std::wstring Text(LANGID language, UINT id) const { return ReadExactTableEntry(m_module, language, id); }

    HMODULE m_module = nullptr;
};

}  // namespace

TEST_P(TranslationTables, EveryListedTextIsPresentInTheNeutralCopyAndInEachSuiteLanguage)
{
    for (const LANGID language : NeutralAndSuiteLanguages()) {
        for (const UINT id : GetParam().ids) {
            EXPECT_FALSE(Text(language, id).empty()) << "text " << id << " in language " << language;
        }
    }
}

TEST_P(TranslationTables, TablesExistOnlyForTheNeutralCopyAndTheSuiteLanguages)
{
    const std::vector<LANGID> expected = NeutralAndSuiteLanguages();
    const std::set<LANGID> present = StringTableLanguages(m_module);
    EXPECT_EQ(std::vector<LANGID>(present.begin(), present.end()), expected);
}

TEST_P(TranslationTables, NoLanguageHoldsATextOutsideTheIdList)
{
    const std::set<UINT> listed(GetParam().ids.begin(), GetParam().ids.end());
    EXPECT_EQ(listed.size(), GetParam().ids.size()) << "an id is listed twice";
    for (const LANGID language : NeutralAndSuiteLanguages()) {
        for (const UINT id : StringIdsInLanguage(m_module, language)) {
            EXPECT_TRUE(listed.contains(id)) << "text " << id << " in language " << language;
        }
    }
}

TEST_P(TranslationTables, TranslationsKeepTheInsertsLineBreaksAndSeparatorsOfTheEnglishText)
{
    for (const UINT id : GetParam().ids) {
        const std::wstring english = TextShape(Text(kAmericanEnglish, id));
        for (const LANGID language : NeutralAndSuiteLanguages()) {
            EXPECT_EQ(TextShape(Text(language, id)), english) << "text " << id << " in language " << language;
        }
    }
}

TEST_P(TranslationTables, TheNeutralCopyReadsAsAmericanEnglish)
{
    for (const UINT id : GetParam().ids) {
        EXPECT_EQ(Text(kNeutralLanguage, id), Text(kAmericanEnglish, id)) << "text " << id;
    }
}

TEST_P(TranslationTables, LanguagesOtherThanEnglishTranslateMostTexts)
{
    const std::size_t count = GetParam().ids.size();
    for (const LANGID language : SuiteLanguages()) {
        if (PRIMARYLANGID(language) == kEnglishPrimaryLanguage) {
            continue;
        }
        const auto untranslated = std::count_if(GetParam().ids.begin(), GetParam().ids.end(), [&](UINT id) {
            return Text(language, id) == Text(kAmericanEnglish, id);
        });
        EXPECT_LT(static_cast<std::size_t>(untranslated) * 4, count) << "language " << language;
    }
}

TEST_P(TranslationTables, ALanguageOutsideTheSuiteReadsEveryTextFromTheNeutralCopy)
{
    CLanguageModuleResource outside(m_module);
    outside.SetLanguage(kJapanese);
    CLanguageModuleResource neutral(m_module);
    neutral.SetLanguage(kNeutralLanguage);
    for (const UINT id : GetParam().ids) {
        std::string outsideText;
        std::string neutralText;
        EXPECT_GT(outside.LoadString(id, outsideText), 0) << "text " << id;
        neutral.LoadString(id, neutralText);
        EXPECT_EQ(outsideText, neutralText) << "text " << id;
    }
}

INSTANTIATE_TEST_SUITE_P(TransferPlugins, TranslationTables, ::testing::ValuesIn(kPlugins),
                         [](const ::testing::TestParamInfo<PluginTexts>& info) {
                             return std::string(info.param.name);
                         });
