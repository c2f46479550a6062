// The shape the translation check compares: inserts in any order, but not other inserts, a
// lost line break or a lost filter separator.
#include <gtest/gtest.h>

#include "tests/plugin_texts/TextShape.h"

TEST(TextShape, InsertsMayMoveWithinTheSentence)
{
    EXPECT_EQ(TextShape(L"%s copied to %d"), TextShape(L"nach %d kopiert: %s"));
    EXPECT_EQ(TextShape(L"%1 to %2"), TextShape(L"%2 from %1"));
}

TEST(TextShape, ADifferentMissingOrExtraInsertChangesTheShape)
{
    EXPECT_NE(TextShape(L"%s files"), TextShape(L"%d files"));
    EXPECT_NE(TextShape(L"%1 to %2"), TextShape(L"%1"));
    EXPECT_NE(TextShape(L"100%% done"), TextShape(L"100% done"));
    EXPECT_NE(TextShape(L"%ls name"), TextShape(L"%s name"));
    EXPECT_NE(TextShape(L"%1!d! files"), TextShape(L"%1 files"));
}

TEST(TextShape, LineBreaksAndFilterSeparatorsCount)
{
    EXPECT_NE(TextShape(L"Busy.\nCannot close."), TextShape(L"Busy. Cannot close."));
    EXPECT_NE(TextShape(L"Mp3 (*.mp3)|*.mp3||"), TextShape(L"Mp3 (*.mp3)|*.mp3|"));
    EXPECT_EQ(TextShape(L"Mp3 (*.mp3)|*.mp3||"), TextShape(L"MP3-Dateien (*.mp3)|*.mp3||"));
}
