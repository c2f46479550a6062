// Menus, icons, bitmaps and formatted texts read in the chosen language.
#include <gtest/gtest.h>

#include "resources/LanguageModuleResource.h"
#include "resources/MessageFormat.h"
#include "tests/resources/TestTextIds.h"
#include "tests/resources/TestTextsModule.h"

using tolv::resources::unique_icon;
using tolv::resources::unique_menu;

namespace {

constexpr LANGID kEnglish = 1033;
constexpr LANGID kJapanese = 1041;
constexpr int kMenuTextChars = 64;

class ResourceReading : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(TestTextsModule(), nullptr); }

    CResourceReader reader{TestTextsModule()};
};

std::wstring FirstItemText(HMENU menu)
{
    wchar_t text[kMenuTextChars] = {};
    GetMenuStringW(menu, 0, text, kMenuTextChars, MF_BYPOSITION);
    return text;
}

// The width of the icon's image, which LoadImage scaled to the size asked for.
LONG IconWidth(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) {
        return 0;
    }
    const tolv::resources::unique_bitmap color(info.hbmColor);
    const tolv::resources::unique_bitmap mask(info.hbmMask);
    BITMAP bitmap = {};
    GetObjectW(color ? color.get() : mask.get(), sizeof bitmap, &bitmap);
    return bitmap.bmWidth;
}

}  // namespace

TEST_F(ResourceReading, TheMenusFirstPopupComesInTheLanguageElseTheNeutralOne)
{
    const unique_menu english = reader.LoadMenu(kTestMenu);
    ASSERT_TRUE(english);
    EXPECT_TRUE(IsMenu(english.get()));
    EXPECT_EQ(GetMenuItemCount(english.get()), 2);
    EXPECT_EQ(FirstItemText(english.get()), L"English open");

    reader.SetLanguage(kJapanese);
    const unique_menu neutral = reader.LoadMenu(kTestMenu);
    ASSERT_TRUE(neutral);
    EXPECT_EQ(GetMenuItemCount(neutral.get()), 1);
    EXPECT_EQ(FirstItemText(neutral.get()), L"Neutral open");
    EXPECT_EQ(GetMenuItemID(neutral.get(), 0), UINT{kMenuOpen});

    EXPECT_FALSE(reader.LoadMenu(kTestIcon));
}

TEST_F(ResourceReading, IconsComeInTheSystemsBigAndSmallSizes)
{
    const unique_icon big = reader.LoadBigIcon(kTestIcon);
    const unique_icon small = reader.LoadSmallIcon(kTestIcon);
    ASSERT_TRUE(big);
    ASSERT_TRUE(small);
    EXPECT_EQ(IconWidth(big.get()), GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(IconWidth(small.get()), GetSystemMetrics(SM_CXSMICON));
    EXPECT_FALSE(reader.LoadBigIcon(kTestBitmap));
}

TEST_F(ResourceReading, BitmapsLoadForTheCallerToOwn)
{
    CLanguageModuleResource resource(TestTextsModule());
    HBITMAP bitmap = nullptr;
    ASSERT_TRUE(resource.LoadBitmap(MAKEINTRESOURCEW(kTestBitmap), bitmap));
    const tolv::resources::unique_bitmap owned(bitmap);
    BITMAP size = {};
    ASSERT_NE(GetObjectW(bitmap, sizeof size, &size), 0);
    EXPECT_EQ(size.bmWidth, 8);

    EXPECT_FALSE(resource.LoadBitmap(MAKEINTRESOURCEW(kTestIcon), bitmap));
    EXPECT_EQ(bitmap, nullptr);
}

TEST_F(ResourceReading, FormattedTextsFillTheirInsertsFromTheTextOfTheLanguage)
{
    EXPECT_EQ(reader.FormatString(kTwoInserts, "song.mp3", std::string("E:\\Music")),
              "song.mp3 copied to E:\\Music, 100% done.");
    reader.SetLanguage(kJapanese);
    EXPECT_EQ(reader.FormatString(kTwoInserts, "song.mp3", "E:\\Music"), "Copied song.mp3 to E:\\Music.");
    EXPECT_EQ(reader.FormatString(kNeutralOnly), "Only in the neutral table");
}

TEST_F(ResourceReading, FormattingFailsEmptyWhenTheTextAsksForMoreThanItGets)
{
    EXPECT_EQ(reader.FormatString(kThirdInsertOfTwo, "a", "b"), "");
    EXPECT_EQ(reader.FormatString(kTwoInserts, "only one"), "");
    EXPECT_EQ(reader.FormatString(kMissingEverywhere, "a"), "");
    EXPECT_EQ(reader.FormatString(kThirdInsertOfTwo, "a", "b", "c"), "Copied a to b (c).");
}

TEST(MessageInserts, EscapesAreNoInsertsAndNumbersHaveAllTheirDigits)
{
    using tolv::resources::HighestInsert;
    EXPECT_EQ(HighestInsert("no inserts, 100%% sure%n"), 0);
    EXPECT_EQ(HighestInsert("%1!s! and %3"), 3);
    EXPECT_EQ(HighestInsert("%12 of %2"), 12);
    EXPECT_EQ(HighestInsert("ends in %"), 0);
}
