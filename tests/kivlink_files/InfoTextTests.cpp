#include "Components/Kivlink/files/InfoText.h"

#include <gtest/gtest.h>

namespace {

std::wstring Words(long attributes, bool folder)
{
    return FormatAttributeWords(attributes, folder).c_str();
}

}  // namespace

TEST(AttributeWords, FollowTheFixedOrderWhateverTheBitOrder)
{
    EXPECT_EQ(Words(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, false), L"READONLY+HIDDEN");
    EXPECT_EQ(Words(FILE_ATTRIBUTE_COMPRESSED | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN |
                        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE,
                    false),
              L"ARCHIVE+READONLY+HIDDEN+SYSTEM+COMPRESSED");
    EXPECT_EQ(Words(0, false), L"NORMAL");
    // Bits without a word (normal, temporary) leave a file "NORMAL".
    EXPECT_EQ(Words(FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_TEMPORARY, false), L"NORMAL");
}

TEST(AttributeWords, FoldersAlwaysStartWithDirectory)
{
    EXPECT_EQ(Words(FILE_ATTRIBUTE_DIRECTORY, true), L"DIRECTORY");
    EXPECT_EQ(Words(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY, true), L"DIRECTORY+READONLY");
    // The memory card's root carries volume and removable bits that are never shown.
    EXPECT_EQ(Words(0x60000010, true), L"DIRECTORY");
    EXPECT_EQ(Words(0, true), L"DIRECTORY");
}

TEST(InfoTexts, EndEveryValueWithAComma)
{
    EXPECT_EQ(std::wstring(FormatDriveInfoText(L"Card", 2147483647, 0).c_str()),
              L"Label=Card,Capacity=2147483647,Freespace=0,");
    EXPECT_EQ(std::wstring(FormatDriveInfoText(L"", 1, 2).c_str()), L"Label=,Capacity=1,Freespace=2,");
    // Dates are cut toward zero to whole days; folders show neither size nor date.
    EXPECT_EQ(std::wstring(FormatEntryInfoText(false, FILE_ATTRIBUTE_ARCHIVE, 1234, 46023.99).c_str()),
              L"Type=File,Attribute=ARCHIVE,Size=1234,Date=46023,");
    EXPECT_EQ(std::wstring(FormatEntryInfoText(true, FILE_ATTRIBUTE_DIRECTORY, 4096, 46023.5).c_str()),
              L"Type=Directory,Attribute=DIRECTORY,Size=0,Date=0,");
    EXPECT_EQ(std::wstring(FormatEntryInfoText(false, 0, 0, 0).c_str()), L"Type=File,Attribute=NORMAL,Size=0,Date=0,");
}

TEST(InfoPaths, AreClassifiedBeforeAnythingIsAsked)
{
    EXPECT_EQ(ClassifyInfoPath(L"354812013456789"), INFO_DEVICE);
    EXPECT_EQ(ClassifyInfoPath(L"0"), INFO_DEVICE);
    EXPECT_EQ(ClassifyInfoPath(L"C:"), INFO_DRIVE);
    EXPECT_EQ(ClassifyInfoPath(L"9:"), INFO_DRIVE);
    EXPECT_EQ(ClassifyInfoPath(L"C:\\"), INFO_ENTRY);
    EXPECT_EQ(ClassifyInfoPath(L"E:\\Images\\a.jpg"), INFO_ENTRY);
    EXPECT_EQ(ClassifyInfoPath(L"E:\\Images\\*.jpg"), INFO_INVALID);
    EXPECT_EQ(ClassifyInfoPath(L""), INFO_INVALID);
    EXPECT_EQ(ClassifyInfoPath(nullptr), INFO_INVALID);
    EXPECT_EQ(ClassifyInfoPath(L"12a"), INFO_INVALID);
    EXPECT_EQ(ClassifyInfoPath(L"Images\\a.jpg"), INFO_INVALID);
}
