// The listing filter: case-sensitive "*" and "?" with backtracking over the last star.
#include "Components/Kivlink/model/WildcardMatch.h"

#include <gtest/gtest.h>

TEST(WildcardMatch, StarsAndQuestionMarks)
{
    EXPECT_TRUE(WildcardMatch(L"*.jpg", L"a.jpg"));
    EXPECT_TRUE(WildcardMatch(L"*.jpg", L".jpg"));
    EXPECT_TRUE(WildcardMatch(L"a*.mp3", L"a.mp3"));
    EXPECT_TRUE(WildcardMatch(L"a*.mp3", L"ab.mp3"));
    EXPECT_FALSE(WildcardMatch(L"a*.mp3", L"b.mp3"));
    EXPECT_TRUE(WildcardMatch(L"?.txt", L"x.txt"));
    EXPECT_FALSE(WildcardMatch(L"?.txt", L".txt"));
    EXPECT_FALSE(WildcardMatch(L"?.txt", L"xy.txt"));
    EXPECT_TRUE(WildcardMatch(L"*", L"anything"));
    EXPECT_TRUE(WildcardMatch(L"**a**", L"banana"));
    EXPECT_TRUE(WildcardMatch(L"a*b*c", L"aXbYbZc"));
    EXPECT_FALSE(WildcardMatch(L"a*b*c", L"aXbYbZ"));
    EXPECT_FALSE(WildcardMatch(L"abc", L"abcd"));
    EXPECT_FALSE(WildcardMatch(L"abcd", L"abc"));
}

TEST(WildcardMatch, BacktracksOverTheLastStar)
{
    // The first ".mp3" seen is not the end: matching resumes one character further.
    EXPECT_TRUE(WildcardMatch(L"*.mp3", L"a.mp3.mp3"));
    EXPECT_TRUE(WildcardMatch(L"*ab", L"aab"));
    EXPECT_TRUE(WildcardMatch(L"*a?c", L"abcaxc"));
    EXPECT_FALSE(WildcardMatch(L"*a?c", L"abcaxd"));
}

TEST(WildcardMatch, LetterCaseCountsAndEmptyTextsFollowTheirOwnRule)
{
    EXPECT_FALSE(WildcardMatch(L"*.jpg", L"a.JPG"));
    EXPECT_FALSE(WildcardMatch(L"A*", L"abc"));
    EXPECT_TRUE(WildcardMatch(L"", L"anything"));
    EXPECT_TRUE(WildcardMatch(L"", L""));
    EXPECT_TRUE(WildcardMatch(nullptr, L"x"));
    EXPECT_FALSE(WildcardMatch(L"*", L""));
    EXPECT_FALSE(WildcardMatch(L"?", L""));
}
