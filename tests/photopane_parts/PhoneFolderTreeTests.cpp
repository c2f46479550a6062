// The phone-folder chooser's rules without a window or a phone.
#include "plugins/photopane/PhoneFolderTree.h"

#include <gtest/gtest.h>

using namespace tolv::photopane;

using Paths = std::vector<std::wstring>;

TEST(PhoneFolderTree, TheCardIsNamedAsThePhonesShellViewNamesItAndOtherDrivesPlainly)
{
    EXPECT_EQ(DriveLabel(L"E:"), L"MultiMediaCard (E:)");
    EXPECT_EQ(DriveLabel(L"e:"), L"MultiMediaCard (e:)");
    EXPECT_EQ(DriveLabel(L"C:"), L"C:");
    EXPECT_EQ(DriveLabel(L"E:\\"), L"E:\\");
}

TEST(PhoneFolderTree, ListingsAreCutAtEveryCommaAndTheUnendedRestIsNoName)
{
    EXPECT_EQ(ListedNames(L"a.jpg,Trip,"), (Paths{L"a.jpg", L"Trip"}));
    EXPECT_EQ(ListedNames(L"C:,E:,"), (Paths{L"C:", L"E:"}));
    EXPECT_EQ(ListedNames(L"a.jpg,Trip"), (Paths{L"a.jpg"}));
    EXPECT_EQ(ListedNames(L""), Paths{});
    EXPECT_EQ(ListedNames(L",,"), Paths{});
}

TEST(PhoneFolderTree, PathsBelowADriveOrAFolderHaveOneBackslashBetween)
{
    EXPECT_EQ(ChildPath(L"E:", L"Images"), L"E:\\Images");
    EXPECT_EQ(ChildPath(L"E:\\", L"Images"), L"E:\\Images");
    EXPECT_EQ(ChildPath(L"E:\\Images", L"Trip 2"), L"E:\\Images\\Trip 2");
    // A drive is listed at its root; a folder as it is.
    EXPECT_EQ(ListingPath(L"E:"), L"E:\\");
    EXPECT_EQ(ListingPath(L"E:\\Images"), L"E:\\Images");
}

TEST(PhoneFolderTree, APhonePathOpensFromItsDriveDownwards)
{
    EXPECT_EQ(PathChain(L"E:\\Images\\Trip"), (Paths{L"E:", L"E:\\Images", L"E:\\Images\\Trip"}));
    EXPECT_EQ(PathChain(L"E:\\Images\\"), (Paths{L"E:", L"E:\\Images"}));
    EXPECT_EQ(PathChain(L"C:\\Nokia\\\\Images"), (Paths{L"C:", L"C:\\Nokia", L"C:\\Nokia\\Images"}));
    EXPECT_EQ(PathChain(L"C:"), (Paths{L"C:"}));
    EXPECT_EQ(PathChain(L"\\Images"), Paths{});
    EXPECT_EQ(PathChain(L"Images"), Paths{});
    EXPECT_EQ(PathChain(L""), Paths{});
}

TEST(PhoneFolderTree, SamePathsDifferOnlyInLetterCase)
{
    EXPECT_TRUE(SamePhonePath(L"e:\\images", L"E:\\Images"));
    EXPECT_FALSE(SamePhonePath(L"E:\\Images", L"E:\\Images2"));
    EXPECT_FALSE(SamePhonePath(L"E:\\Image", L"E:\\Images"));
}
