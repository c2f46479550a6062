// Fitting the paths of the progress dialog into its text control.
#include "plugins/common/PathShortening.h"

#include <gtest/gtest.h>

using tolv::plugins::ShortenPath;

namespace {

constexpr int kCharacterWidth = 7;

int FixedWidth(const std::wstring& text)
{
    return static_cast<int>(text.size()) * kCharacterWidth;
}

int Columns(int characters)
{
    return characters * kCharacterWidth;
}

}  // namespace

TEST(PathShortening, APathThatFitsStaysWhole)
{
    const std::wstring path = L"C:\\Music\\Song.mp3";
    EXPECT_EQ(ShortenPath(path, Columns(17), FixedWidth), path);
}

TEST(PathShortening, TheDriveStaysAndTheFrontOfTheRestGoes)
{
    EXPECT_EQ(ShortenPath(L"C:\\Music\\Album\\Song.mp3", Columns(16), FixedWidth), L"C:...um\\Song.mp3");
    EXPECT_EQ(ShortenPath(L"E:\\Mp3\\Song(1).mp3", Columns(17), FixedWidth), L"E:...\\Song(1).mp3");
}

TEST(PathShortening, APathWithoutDriveKeepsOnlyItsEnd)
{
    EXPECT_EQ(ShortenPath(L"\\\\server\\share\\Song.mp3", Columns(12), FixedWidth), L"...\\Song.mp3");
}

TEST(PathShortening, WhenNothingOfTheRestFitsTheDriveAndDotsRemain)
{
    EXPECT_EQ(ShortenPath(L"C:\\Music\\Song.mp3", Columns(3), FixedWidth), L"C:...");
}

TEST(PathShortening, ProportionalWidthsAreMeasuredWhole)
{
    // Narrow dots and wide letters: the shortened text is measured as a whole each time.
    const auto width = [](const std::wstring& text) {
        int total = 0;
        for (wchar_t c : text)
            total += c == L'.' ? 2 : 10;
        return total;
    };
    // "C:..." is 26; "mp3" 30 more fits into 60, ".mp3" would be 32 and fits too, "g.mp3" 42 does not.
    EXPECT_EQ(ShortenPath(L"C:\\Song.mp3", 60, width), L"C:....mp3");
}
