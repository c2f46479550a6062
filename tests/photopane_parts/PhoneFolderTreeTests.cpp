// The phone-folder chooser's rules without a window or a phone.
#include "plugins/photopane/PhoneFolderTree.h"

#include <gtest/gtest.h>

using namespace tolv::photopane;

using Paths = std::vector<std::wstring>;

TEST(PhoneFolderTree, ListingsAreCutAtEveryCommaAndTheUnendedRestIsNoName)
{
    EXPECT_EQ(ListedNames(L"a.jpg,Trip,"), (Paths{L"a.jpg", L"Trip"}));
    EXPECT_EQ(ListedNames(L"a.jpg,Trip"), (Paths{L"a.jpg"}));
    EXPECT_EQ(ListedNames(L""), Paths{});
    EXPECT_EQ(ListedNames(L",,"), Paths{});
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
