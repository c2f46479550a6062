#include "platform/kivproxy/RelativeEntryList.h"

#include <gtest/gtest.h>

using kivproxy::RelativeEntryList;

TEST(RelativeEntryList, NamesLoseTheListedFolderAndKeepTheirCommas)
{
    EXPECT_EQ(RelativeEntryList(L"C:\\MP3", L"C:\\MP3\\a.mp3,C:\\MP3\\b c.mp3,C:\\MP3\\Old,"), L"a.mp3,b c.mp3,Old,");
    EXPECT_EQ(RelativeEntryList(L"C:\\MP3\\", L"C:\\MP3\\a.mp3,"), L"a.mp3,");
    EXPECT_EQ(RelativeEntryList(L"E:\\", L"E:\\Images,E:\\song.mp3,"), L"Images,song.mp3,");
    EXPECT_EQ(RelativeEntryList(L"E:", L"E:\\Images,"), L"Images,");
}

TEST(RelativeEntryList, ARecursiveListingKeepsTheSubfoldersInTheName)
{
    EXPECT_EQ(RelativeEntryList(L"E:\\Images", L"E:\\Images\\a.jpg,E:\\Images\\2004\\b.jpg,E:\\Images\\2004,"),
              L"a.jpg,2004\\b.jpg,2004,");
}

TEST(RelativeEntryList, TheFolderMatchesWhateverItsLetterCase)
{
    EXPECT_EQ(RelativeEntryList(L"e:\\images", L"E:\\Images\\a.jpg,"), L"a.jpg,");
}

TEST(RelativeEntryList, AWildcardFolderListsItsParent)
{
    EXPECT_EQ(RelativeEntryList(L"E:\\Images\\*.jpg", L"E:\\Images\\a.jpg,E:\\Images\\b.jpg,"), L"a.jpg,b.jpg,");
}

TEST(RelativeEntryList, NothingIsLostOfAnUnexpectedAnswer)
{
    EXPECT_EQ(RelativeEntryList(L"C:\\MP3", L""), L"");
    // A sibling whose name begins like the folder is not inside it.
    EXPECT_EQ(RelativeEntryList(L"C:\\MP3", L"C:\\MP3x\\a.mp3,C:\\MP3\\b.mp3,"), L"C:\\MP3x\\a.mp3,b.mp3,");
    // A last name without its comma still gets one.
    EXPECT_EQ(RelativeEntryList(L"C:\\MP3", L"C:\\MP3\\a.mp3"), L"a.mp3,");
}
