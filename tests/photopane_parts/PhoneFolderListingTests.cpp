// What the phone-folder chooser reads of the phone, against a scripted phone: which entries of
// a listing are offered as folders, and how few descriptions that costs.
#include "plugins/photopane/PhoneFolderListing.h"

#include "tests/plugins_common/FakeVolume.h"

#include <gtest/gtest.h>

#include <algorithm>

using tolv::photopane::ListChildFolders;
using tolv::photopane::ListPhoneDrives;

using Names = std::vector<std::wstring>;

namespace {

constexpr wchar_t kFolderInfo[] = L"Type=Directory,Attribute=DIRECTORY,Size=0,Date=0,";
constexpr wchar_t kFileInfo[] = L"Type=File,Attribute=ARCHIVE,Size=1000,Date=45000,";

size_t DescriptionsAsked(const FakePhoneState& phone)
{
    return static_cast<size_t>(std::count_if(phone.calls.begin(), phone.calls.end(),
                                             [](const std::wstring& call) { return call.starts_with(L"GetInfo "); }));
}

// A folder listed as the phone lists it: its files, then its folders; every description known.
void AddFolder(FakePhoneState& phone, const std::wstring& listed, const std::wstring& pathPrefix, const Names& files,
               const Names& folders)
{
    std::wstring listing;
    for (const std::wstring& file : files) {
        listing += file + L",";
        phone.infos[pathPrefix + file] = kFileInfo;
    }
    for (const std::wstring& folder : folders) {
        listing += folder + L",";
        phone.infos[pathPrefix + folder] = kFolderInfo;
    }
    phone.listings[listed] = listing;
}

}  // namespace

TEST(PhoneFolderListing, OnlyFoldersAreOfferedAndADriveIsListedAtItsRoot)
{
    FakePhoneState phone;
    AddFolder(phone, L"E:\\", L"E:\\", {L"a.jpg", L"b.jpg", L"c.jpg", L"d.jpg", L"e.jpg", L"notes"},
              {L"Images", L"Trip.2006"});
    auto volume = MakeFakeVolume2Interface(phone);
    Names folders;
    ASSERT_EQ(ListChildFolders(*volume.get(), L"E:", folders), S_OK);
    EXPECT_EQ(folders, (Names{L"Images", L"Trip.2006"}));
    ASSERT_FALSE(phone.calls.empty());
    EXPECT_EQ(phone.calls.front(), L"ListEntries E:\\");
}

TEST(PhoneFolderListing, AFolderOfManyPhotosCostsOnlyAFewDescriptions)
{
    FakePhoneState phone;
    Names photos;
    for (int number = 0; number < 200; ++number)
        photos.push_back(L"photo" + std::to_wstring(number) + L".jpg");
    AddFolder(phone, L"E:\\Images", L"E:\\Images\\", photos, {L"Trip"});
    auto volume = MakeFakeVolume2Interface(phone);
    Names folders;
    ASSERT_EQ(ListChildFolders(*volume.get(), L"E:\\Images", folders), S_OK);
    EXPECT_EQ(folders, (Names{L"Trip"}));
    // A binary search over 201 entries: eight descriptions at most, not one per photo.
    EXPECT_LE(DescriptionsAsked(phone), 8u);
}

TEST(PhoneFolderListing, FoldersWithMoreAttributesAndFoldersAloneAreFoundAndFilesAloneGiveNone)
{
    FakePhoneState phone;
    AddFolder(phone, L"C:\\Nokia", L"C:\\Nokia\\", {}, {L"Images", L"Others"});
    phone.infos[L"C:\\Nokia\\Others"] = L"Type=Directory,Attribute=DIRECTORY+READONLY+HIDDEN,Size=0,Date=0,";
    AddFolder(phone, L"C:\\Nokia\\Images", L"C:\\Nokia\\Images\\", {L"a.jpg", L"b.jpg"}, {});
    AddFolder(phone, L"C:\\Empty", L"C:\\Empty\\", {}, {});
    auto volume = MakeFakeVolume2Interface(phone);
    Names folders;
    ASSERT_EQ(ListChildFolders(*volume.get(), L"C:\\Nokia", folders), S_OK);
    EXPECT_EQ(folders, (Names{L"Images", L"Others"}));
    ASSERT_EQ(ListChildFolders(*volume.get(), L"C:\\Nokia\\Images", folders), S_OK);
    EXPECT_EQ(folders, Names{});
    ASSERT_EQ(ListChildFolders(*volume.get(), L"C:\\Empty", folders), S_OK);
    EXPECT_EQ(folders, Names{});
}

TEST(PhoneFolderListing, AnEntryWithoutADescriptionIsNoFolderAndAFailedListingIsReturned)
{
    FakePhoneState phone;
    AddFolder(phone, L"E:\\Images", L"E:\\Images\\", {L"a.jpg"}, {L"Trip"});
    phone.infoFailures[L"E:\\Images\\Trip"].push_back(KIV_E_NOCONNECTION);
    auto volume = MakeFakeVolume2Interface(phone);
    Names folders{L"stale"};
    ASSERT_EQ(ListChildFolders(*volume.get(), L"E:\\Images", folders), S_OK);
    EXPECT_EQ(folders, Names{});

    folders = {L"stale"};
    EXPECT_EQ(ListChildFolders(*volume.get(), L"E:\\Missing", folders), KIV_E_FOLDERNOTFOUND);
    EXPECT_TRUE(folders.empty());
}

TEST(PhoneFolderListing, TheDrivesComeInThePhonesOrder)
{
    FakePhoneState phone;
    phone.drives = L"C:,E:,";
    auto volume = MakeFakeVolume2Interface(phone);
    Names drives{L"stale"};
    ASSERT_EQ(ListPhoneDrives(*volume.get(), drives), S_OK);
    EXPECT_EQ(drives, (Names{L"C:", L"E:"}));
}
