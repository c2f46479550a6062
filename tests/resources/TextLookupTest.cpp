// Texts in the chosen language, the neutral table filling every gap, and nothing invented
// when neither table has a text.
#include <gtest/gtest.h>

#include "resources/LanguageModuleResource.h"
#include "resources/ModuleResource.h"
#include "resources/StringTable.h"
#include "tests/resources/TestTextIds.h"
#include "tests/resources/TestTextsModule.h"

namespace {

constexpr LANGID kEnglish = 1033;
constexpr LANGID kJapanese = 1041;  // not among the suite's languages
constexpr LANGID kChinese = 2052;

class TextLookup : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(TestTextsModule(), nullptr); }

    std::string Read(LANGID language, UINT id, int* length = nullptr)
    {
        CLanguageModuleResource resource(TestTextsModule());
        resource.SetLanguage(language);
        std::string text = "left from before";
        const int answered = resource.LoadString(id, text);
        EXPECT_EQ(answered, static_cast<int>(text.size())) << id;
        if (length != nullptr) {
            *length = answered;
        }
        return text;
    }
};

}  // namespace

TEST_F(TextLookup, EnglishUntilALanguageIsSet)
{
    CLanguageModuleResource resource(TestTextsModule());
    std::string text;
    EXPECT_EQ(resource.LoadString(kGreeting, text), 5);
    EXPECT_EQ(text, "Hello");
    EXPECT_EQ(resource.GetModuleInstance(), TestTextsModule());
    EXPECT_FALSE(resource.QueryResource(kGreeting, kEnglish));
}

TEST_F(TextLookup, ALanguageWithoutTablesReadsEveryTextFromTheNeutralTable)
{
    EXPECT_EQ(Read(kJapanese, kGreeting), "Neutral greeting");
    EXPECT_EQ(Read(kJapanese, kNeutralOnly), "Only in the neutral table");
    EXPECT_EQ(Read(kJapanese, kInNeutralBlockOnly), "From a block only the neutral table has");
}

TEST_F(TextLookup, EmptyOrMissingEntriesOfTheLanguageFallBackToTheNeutralText)
{
    EXPECT_EQ(Read(kEnglish, kNeutralWhereEnglishIsEmpty), "Neutral text under an empty English entry");
    EXPECT_EQ(Read(kEnglish, kNeutralOnly), "Only in the neutral table");
    EXPECT_EQ(Read(kEnglish, kInNeutralBlockOnly), "From a block only the neutral table has");
}

TEST_F(TextLookup, ATextNoTableHasIsEmptyWithLengthZero)
{
    for (LANGID language : {kEnglish, kJapanese, LANGID{0}}) {
        int length = -1;
        EXPECT_EQ(Read(language, kMissingEverywhere, &length), "");
        EXPECT_EQ(length, 0);
        EXPECT_EQ(Read(language, kEmptyEverywhere, &length), "");
        EXPECT_EQ(length, 0);
    }
}

TEST_F(TextLookup, AChineseTextIsConvertedWhole)
{
    const wchar_t stored[] = L"\u6587\u4ef6\u5df2\u590d\u5236\u5230\u624b\u673a";
    // Every stored unit is read; the code page here may turn each into one "?", so the
    // converted length is compared with the system's conversion of the whole text.
    EXPECT_EQ(tolv::resources::ReadExactTableEntry(TestTextsModule(), kChinese, kGreeting), stored);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, stored, -1, nullptr, 0, nullptr, nullptr) - 1;
    ASSERT_GT(bytes, 0);
    std::string expected(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, stored, -1, expected.data(), bytes, nullptr, nullptr);

    int length = 0;
    EXPECT_EQ(Read(kChinese, kGreeting, &length), expected);
    EXPECT_EQ(length, bytes);
}

TEST(PlainModuleResource, ReadsThroughTheSystemLoaderAndNamesAMissingText)
{
    ASSERT_NE(TestTextsModule(), nullptr);
    CModuleResource resource(TestTextsModule());
    std::string text;
    const int length = resource.LoadString(kGreeting, text);
    EXPECT_GT(length, 0);
    EXPECT_EQ(length, static_cast<int>(text.size()));

    EXPECT_EQ(resource.LoadString(kMissingEverywhere, text), 0);
    EXPECT_EQ(text, "> failed to load string resource 106 within class CModuleResource. /n");

    HBITMAP bitmap = nullptr;
    ASSERT_TRUE(resource.LoadBitmap(MAKEINTRESOURCEW(kTestBitmap), bitmap));
    const tolv::resources::unique_bitmap owned(bitmap);
    EXPECT_FALSE(resource.LoadBitmap(MAKEINTRESOURCEW(kTestIcon), bitmap));
    EXPECT_FALSE(resource.QueryResource(kGreeting, kEnglish));
}
