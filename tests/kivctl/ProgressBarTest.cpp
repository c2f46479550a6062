#include "tools/kivctl/ProgressBar.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

// The cells between the brackets.
std::wstring BarOf(const std::wstring& line)
{
    const size_t open = line.rfind(L" [");
    const size_t close = line.rfind(L']');
    return open == std::wstring::npos || close == std::wstring::npos ? std::wstring()
                                                                     : line.substr(open + 2, close - open - 2);
}

size_t Count(const std::wstring& text, wchar_t c)
{
    return static_cast<size_t>(std::count(text.begin(), text.end(), c));
}

}  // namespace

TEST(KivctlProgressBar, FillsInProportionAndHoldsThePercentageInRange)
{
    const std::wstring empty = BarOf(RenderProgressLine(L"put a.mp3", 0, 79));
    const std::wstring half = BarOf(RenderProgressLine(L"put a.mp3", 50, 79));
    const std::wstring full = BarOf(RenderProgressLine(L"put a.mp3", 100, 79));
    ASSERT_FALSE(full.empty());
    EXPECT_EQ(Count(empty, L'#'), 0u);
    EXPECT_EQ(Count(full, L'.'), 0u);
    EXPECT_EQ(Count(half, L'#'), Count(half, L'.'));
    EXPECT_EQ(empty.size(), full.size());

    EXPECT_NE(RenderProgressLine(L"x", 0, 79).find(L"]   0%"), std::wstring::npos);
    EXPECT_NE(RenderProgressLine(L"x", 50, 79).find(L"]  50%"), std::wstring::npos);
    EXPECT_NE(RenderProgressLine(L"x", 100, 79).find(L"] 100%"), std::wstring::npos);
    EXPECT_EQ(RenderProgressLine(L"x", 250, 79), RenderProgressLine(L"x", 100, 79));
    EXPECT_EQ(RenderProgressLine(L"x", -3, 79), RenderProgressLine(L"x", 0, 79));
    EXPECT_EQ(RenderProgressLine(L"put a.mp3", 1, 79).substr(0, 10), L"put a.mp3 ");
}

TEST(KivctlProgressBar, EveryLineHasTheSameWidthSoThatRedrawsLeaveNothingBehind)
{
    for (long percent : {0L, 7L, 99L, 100L}) {
        EXPECT_EQ(RenderProgressLine(L"get C:\\Data\\b.jpg", percent, 79).size(), 79u);
        EXPECT_EQ(RenderProgressLine(L"", percent, 60).size(), 60u);
    }
}

TEST(KivctlProgressBar, ALongLabelIsShortenedInTheMiddleAndKeepsItsEnd)
{
    const std::wstring label = L"put " + std::wstring(100, L'd') + L"\\final-name.mp3";
    const std::wstring line = RenderProgressLine(label, 42, 80);
    EXPECT_EQ(line.size(), 80u);
    EXPECT_EQ(line.substr(0, 4), L"put ");
    const size_t bar = line.find(L" [");
    ASSERT_NE(bar, std::wstring::npos);
    EXPECT_EQ(line.substr(bar - 9, 9), L"-name.mp3");
    EXPECT_NE(line.find(L"..."), std::wstring::npos);
    // A console too narrow for any label still gets the whole bar.
    const std::wstring narrow = RenderProgressLine(label, 42, 10);
    EXPECT_NE(narrow.find(L" 42%"), std::wstring::npos);
}
