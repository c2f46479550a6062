// The device model against the fake phone: what lookups and listings cost in phone calls,
// what they answer, and how descriptions behave once the model dropped their objects.
#include "ModelFixture.h"

#include "Components/Kivlink/model/SymbianDeviceDirectory.h"
#include "Components/Kivlink/model/SymbianDeviceDrive.h"
#include "Components/Kivlink/model/SymbianDeviceFile.h"

#include "KivlinkLib.h"

using DeviceModel = ModelFixture;

TEST_F(DeviceModel, LookupsOfNamesAlreadyReadCostNoPhoneCall)
{
    CFileDescription file;
    ASSERT_EQ(device->GetFile(L"C:\\Images\\A.JPG", file), S_OK);
    EXPECT_EQ(file.Kind(), KIND_FILE);
    EXPECT_STREQ(file.Name().c_str(), L"C:\\Images\\A.JPG");

    LONG calls = CallsOf([&] {
        CFileDescription entry;
        EXPECT_EQ(device->GetFile(L"C:\\Images\\A.JPG", entry), S_OK);
        EXPECT_EQ(device->GetFile(L"c:\\images\\a.JPG", entry), S_OK);
        EXPECT_EQ(device->GetDirectory(L"C:\\Images\\", entry), S_OK);
        EXPECT_EQ(entry.Kind(), KIND_FOLDER);
        EXPECT_EQ(device->GetParentDirectory(L"C:\\Images\\b.mp3", entry), S_OK);
        EXPECT_STREQ(entry.Name().c_str(), L"C:\\Images");
        EXPECT_EQ(device->GetDrive(L"E:\\Music", entry), S_OK);
        EXPECT_EQ(entry.Kind(), KIND_DRIVE);
        EXPECT_STREQ(entry.Name().c_str(), L"E:");
    });
    EXPECT_EQ(calls, 0);

    // An entry is first looked for among the files: a folder's name costs one read of the
    // parent's file ring (none here).
    CFileDescription entry;
    EXPECT_EQ(CallsOf([&] { EXPECT_EQ(device->GetEntry(L"C:\\Images", entry), S_OK); }), RingReadCalls(0));
    EXPECT_STREQ(entry.Name().c_str(), L"C:\\Images");
    EXPECT_EQ(entry.Kind(), KIND_FOLDER);
}

TEST_F(DeviceModel, AMissRereadsItsOneRingOnceAndAnswersThatLevelsCode)
{
    CFileDescription entry;
    ASSERT_EQ(device->GetFile(L"C:\\Images\\b.mp3", entry), S_OK);

    // C:\Images holds three files and one folder, the phone two drives.
    EXPECT_EQ(CallsOf([&] { EXPECT_EQ(device->GetFile(L"C:\\Images\\none.mp3", entry), KIV_E_FILENOTFOUND); }),
              RingReadCalls(3));
    EXPECT_EQ(CallsOf([&] { EXPECT_EQ(device->GetDirectory(L"C:\\Images\\None\\", entry), KIV_E_FOLDERNOTFOUND); }),
              RingReadCalls(1));
    // A missing entry: the file ring, then the folder ring, each once.
    EXPECT_EQ(CallsOf([&] { EXPECT_EQ(device->GetEntry(L"C:\\Images\\none", entry), KIV_E_FOLDERNOTFOUND); }),
              RingReadCalls(3) + RingReadCalls(1));
    // The model is left with the re-read rings: the next hit is free again.
    EXPECT_EQ(CallsOf([&] { EXPECT_EQ(device->GetFile(L"C:\\Images\\a.jpg", entry), S_OK); }), 0);

    // A missing drive re-reads the drive ring, and so drops everything read below the drives.
    EXPECT_EQ(CallsOf([&] { EXPECT_EQ(device->GetDrive(L"F:\\", entry), KIV_E_DRIVENOTFOUND); }), RingReadCalls(2));
    EXPECT_EQ(CallsOf([&] { EXPECT_EQ(device->GetDrive(L"E:", entry), S_OK); }), 0);
    EXPECT_GT(CallsOf([&] { EXPECT_EQ(device->GetFile(L"C:\\Images\\a.jpg", entry), S_OK); }), 0);
}

TEST_F(DeviceModel, AFileCreatedBehindTheModelsBackIsFoundAfterOneReread)
{
    CFileDescription entry;
    ASSERT_EQ(device->GetFile(L"C:\\Images\\a.jpg", entry), S_OK);
    world.AddFile(phone, L"C:\\Images\\new.jpg", 7);
    EXPECT_EQ(CallsOf([&] { ASSERT_EQ(device->GetFile(L"C:\\Images\\new.jpg", entry), S_OK); }), RingReadCalls(4));
    long size = 0;
    EXPECT_EQ(entry.GetSize(size), S_OK);
    EXPECT_EQ(size, 7);

    // A removed file stays found from the cache until something drops the ring.
    world.Remove(phone, L"C:\\Images\\new.jpg");
    EXPECT_EQ(device->GetFile(L"C:\\Images\\new.jpg", entry), S_OK);
    CFileDescription folder;
    ASSERT_EQ(device->GetParentDirectory(L"C:\\Images\\new.jpg", folder), S_OK);
    folder.Directory()->Invalidate();
    EXPECT_EQ(device->GetFile(L"C:\\Images\\new.jpg", entry), KIV_E_FILENOTFOUND);
}

TEST_F(DeviceModel, PathsNameFoldersFilesAndParentsAsTheirBackslashesSay)
{
    CFileDescription entry;
    ASSERT_EQ(device->GetEntry(L"C:", entry), S_OK);
    EXPECT_STREQ(entry.Name().c_str(), L"C:\\");
    ASSERT_EQ(device->GetEntry(L"C:\\", entry), S_OK);
    EXPECT_STREQ(entry.Name().c_str(), L"C:\\");
    ASSERT_EQ(device->GetEntry(L"C:\\Images\\", entry), S_OK);
    EXPECT_STREQ(entry.Name().c_str(), L"C:\\Images");
    ASSERT_EQ(device->GetEntry(L"C:\\Images\\Holiday\\sea.jpg", entry), S_OK);
    EXPECT_EQ(entry.Kind(), KIND_FILE);

    ASSERT_EQ(device->GetParentDirectory(L"C:\\Images\\Holiday\\", entry), S_OK);
    EXPECT_STREQ(entry.Name().c_str(), L"C:\\Images");
    ASSERT_EQ(device->GetParentDirectory(L"C:\\Images\\Holiday", entry), S_OK);
    EXPECT_STREQ(entry.Name().c_str(), L"C:\\Images");
    ASSERT_EQ(device->GetParentDirectory(L"C:\\Images", entry), S_OK);
    EXPECT_STREQ(entry.Name().c_str(), L"C:\\");
    ASSERT_EQ(device->GetParentDirectory(L"C:\\", entry), S_OK);
    EXPECT_STREQ(entry.Name().c_str(), L"C:\\");

    EXPECT_EQ(device->GetFile(L"C:\\Images\\", entry), KIV_E_FILENOTFOUND);
    EXPECT_EQ(device->GetFile(L"C:\\Nothing\\a.jpg", entry), KIV_E_FOLDERNOTFOUND);
    EXPECT_EQ(device->GetDirectory(L"Q:\\Images\\", entry), KIV_E_DRIVENOTFOUND);
    EXPECT_EQ(device->GetDirectory(L"\\Images\\", entry), E_INVALIDARG);
}

TEST_F(DeviceModel, ListingsAlwaysReadThePhoneAndGiveFilesBeforeFolders)
{
    std::vector<CFileDescription> entries;
    ASSERT_EQ(device->GetAllEntries(L"C:\\Images\\", L"", entries), S_OK);
    EXPECT_EQ(Names(entries), (std::vector<std::wstring>{L"C:\\Images\\A.JPG", L"C:\\Images\\a.jpg",
                                                         L"C:\\Images\\b.mp3", L"C:\\Images\\Holiday"}));
    EXPECT_EQ(entries.back().Kind(), KIND_FOLDER);

    world.AddFile(phone, L"C:\\Images\\c.mp3");
    LONG calls = CallsOf([&] { ASSERT_EQ(device->GetAllEntries(L"C:\\Images", nullptr, entries), S_OK); });
    EXPECT_EQ(calls, RingReadCalls(4) + RingReadCalls(1));
    EXPECT_EQ(entries.size(), 5u);

    ASSERT_EQ(device->GetAllEntries(L"C:\\Images\\", L"", entries, true), S_OK);
    EXPECT_EQ(Names(entries), (std::vector<std::wstring>{L"C:\\Images\\Holiday"}));
    EXPECT_EQ(device->GetAllEntries(L"C:\\Nothing\\", L"", entries), KIV_E_FOLDERNOTFOUND);
}

TEST_F(DeviceModel, TheFilterMatchesEachEntrysOwnNameWithLetterCase)
{
    std::vector<CFileDescription> entries;
    ASSERT_EQ(device->GetAllEntries(L"C:\\Images\\", L"*.jpg", entries), S_OK);
    EXPECT_EQ(Names(entries), (std::vector<std::wstring>{L"C:\\Images\\a.jpg"}));
    // while a lookup by name ignores letter case
    CFileDescription upper;
    world.Remove(phone, L"C:\\Images\\a.jpg");
    ASSERT_EQ(device->GetFile(L"C:\\Images\\x.jpg", upper), KIV_E_FILENOTFOUND);  // re-read without a.jpg
    ASSERT_EQ(device->GetFile(L"C:\\Images\\a.jpg", upper), S_OK);
    EXPECT_STREQ(upper.Name().c_str(), L"C:\\Images\\A.JPG");

    world.AddFile(phone, L"E:\\Music\\a.mp3");
    world.AddFile(phone, L"E:\\Music\\ab.mp3");
    world.AddFile(phone, L"E:\\Music\\b.mp3");
    ASSERT_EQ(device->GetAllEntries(L"E:\\Music\\", L"a*.mp3", entries), S_OK);
    EXPECT_EQ(Names(entries), (std::vector<std::wstring>{L"E:\\Music\\a.mp3", L"E:\\Music\\ab.mp3"}));
}

TEST_F(DeviceModel, TheRecursiveListingGoesDepthFirstWithEachFolderBeforeItsContents)
{
    world.AddFolder(phone, L"C:\\Images\\Holiday\\Beach");
    world.AddFile(phone, L"C:\\Images\\Holiday\\Beach\\sand.jpg");
    world.AddFolder(phone, L"C:\\Images\\Work");
    std::vector<CFileDescription> entries;
    ASSERT_EQ(device->GetAllEntriesRecursive(L"C:\\Images\\", L"", entries), S_OK);
    EXPECT_EQ(Names(entries),
              (std::vector<std::wstring>{L"C:\\Images\\Holiday", L"C:\\Images\\Holiday\\Beach",
                                         L"C:\\Images\\Holiday\\Beach\\sand.jpg", L"C:\\Images\\Holiday\\sea.jpg",
                                         L"C:\\Images\\Work", L"C:\\Images\\A.JPG", L"C:\\Images\\a.jpg",
                                         L"C:\\Images\\b.mp3"}));
    ASSERT_EQ(device->GetAllEntriesRecursive(L"C:\\", L"s*.jpg", entries), S_OK);
    EXPECT_EQ(Names(entries),
              (std::vector<std::wstring>{L"C:\\Images\\Holiday\\Beach\\sand.jpg", L"C:\\Images\\Holiday\\sea.jpg"}));
}

TEST_F(DeviceModel, DescriptionsDeriveAndCacheTheirValues)
{
    CFileDescription file;
    ASSERT_EQ(device->GetFile(L"C:\\Images\\A.JPG", file), S_OK);
    long attributes = 0, size = 0;
    DATE date = 0;
    EXPECT_EQ(CallsOf([&] {
                  EXPECT_EQ(file.GetAttributes(attributes), S_OK);
                  EXPECT_EQ(file.GetSize(size), S_OK);
                  EXPECT_EQ(file.GetDate(date), S_OK);
              }),
              3);
    EXPECT_EQ(attributes, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(size, 1234);
    EXPECT_EQ(date, 40000.5);
    EXPECT_EQ(CallsOf([&] {
                  EXPECT_EQ(file.GetAttributes(attributes), S_OK);
                  EXPECT_EQ(file.GetSize(size), S_OK);
                  EXPECT_EQ(file.GetDate(date), S_OK);
              }),
              0);
    // Every later lookup of the same file answers the values read for the first.
    EXPECT_EQ(CallsOf([&] {
                  CFileDescription again;
                  EXPECT_EQ(device->GetFile(L"C:\\Images\\a.jpg", again), S_OK);
                  EXPECT_EQ(again.GetAttributes(attributes), S_OK);
                  EXPECT_EQ(again.GetSize(size), S_OK);
                  EXPECT_EQ(again.GetDate(date), S_OK);
              }),
              0);
    EXPECT_EQ(size, 1234);
    // A read the caller asks for still goes to the phone.
    EXPECT_EQ(CallsOf([&] { EXPECT_EQ(file.File()->ReadSize(size), S_OK); }), 1);
    CKivString name;
    ASSERT_EQ(file.GetDisplayName(name), S_OK);
    EXPECT_STREQ(name.c_str(), L"A.JPG");

    CFileDescription folder, cardRoot, phoneRoot, drive;
    ASSERT_EQ(device->GetDirectory(L"C:\\Images\\", folder), S_OK);
    ASSERT_EQ(device->GetDirectory(L"E:\\", cardRoot), S_OK);
    ASSERT_EQ(device->GetDirectory(L"C:\\", phoneRoot), S_OK);
    ASSERT_EQ(device->GetDrive(L"C:", drive), S_OK);
    EXPECT_TRUE(cardRoot.IsMmcRoot());
    EXPECT_FALSE(phoneRoot.IsMmcRoot());
    for (auto [description, expected] : {std::pair{&folder, 0x10L}, std::pair{&cardRoot, 0x60000010L},
                                         std::pair{&phoneRoot, 0x10L}, std::pair{&drive, 0x80L}}) {
        ASSERT_EQ(description->GetAttributes(attributes), S_OK);
        EXPECT_EQ(attributes, expected) << description->Name().Narrow();
        ASSERT_EQ(description->GetSize(size), S_OK);
        EXPECT_EQ(size, 0);
        ASSERT_EQ(description->GetDate(date), S_OK);
        EXPECT_EQ(date, 0.0);
    }
    // The memory-card root is recognised by its name in any letter case.
    CFileDescription lowerCase(cardRoot.Directory(), CKivString(L"e:\\"));
    ASSERT_EQ(lowerCase.GetAttributes(attributes), S_OK);
    EXPECT_EQ(attributes, 0x60000010L);
    ASSERT_EQ(folder.GetDisplayName(name), S_OK);
    EXPECT_STREQ(name.c_str(), L"Images");
    ASSERT_EQ(deviceHolder.GetDisplayName(name), S_OK);
    EXPECT_STREQ(name.c_str(), kPhoneName);
}

TEST_F(DeviceModel, DescriptionsOutliveTheRingsTheyCameFrom)
{
    CFileDescription file, folder;
    ASSERT_EQ(device->GetFile(L"C:\\Images\\Holiday\\sea.jpg", file), S_OK);
    ASSERT_EQ(device->GetDirectory(L"C:\\Images\\Holiday\\", folder), S_OK);
    long attributes = 0;
    ASSERT_EQ(file.GetAttributes(attributes), S_OK);

    ASSERT_EQ(device->OnInvalidateAll(), S_OK);
    // The folder left its parent's ring but lives on, and with it its own rings.
    EXPECT_FALSE(folder.Directory()->IsMember());
    EXPECT_TRUE(file.File()->IsMember());

    // Cached and not yet read values alike still come, the latter from the object itself.
    long size = 0;
    DATE date = 1;
    CKivString name;
    EXPECT_STREQ(file.Name().c_str(), L"C:\\Images\\Holiday\\sea.jpg");
    EXPECT_EQ(file.GetAttributes(attributes), S_OK);
    EXPECT_EQ(attributes, FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(file.GetSize(size), S_OK);
    EXPECT_EQ(size, 10);
    EXPECT_EQ(file.GetDate(date), S_OK);
    EXPECT_EQ(file.GetDisplayName(name), S_OK);
    EXPECT_STREQ(name.c_str(), L"sea.jpg");
    std::vector<CFileDescription> copies(3, file);
    file = CFileDescription();
    EXPECT_EQ(copies[2].GetSize(size), S_OK);
    ASSERT_EQ(folder.Directory()->RereadFiles(), S_OK);
    EXPECT_EQ(folder.Directory()->FileDescriptions().size(), 1u);
    EXPECT_FALSE(copies[0].File()->IsMember());
    EXPECT_EQ(copies[0].GetDisplayName(name), S_OK);

    // The model itself starts from the phone again.
    CFileDescription again;
    EXPECT_GT(CallsOf([&] { ASSERT_EQ(device->GetFile(L"C:\\Images\\Holiday\\sea.jpg", again), S_OK); }), 0);
    EXPECT_NE(again.File(), copies[0].File());
}

TEST_F(DeviceModel, DriveSizesBeyond31BitsAreReportedAsTheLargestPositiveLong)
{
    phone->drives[0]->capacityLow = static_cast<long>(0xC0000000);  // 3 GiB
    phone->drives[0]->freeLow = 0x40000000;  // 1 GiB
    phone->drives[1]->capacityLow = 0x12345678;
    phone->drives[1]->capacityHigh = 1;  // 4 GiB more
    phone->drives[1]->freeLow = 0x7FFFFFFF;
    CFileDescription drive;
    long bytes = 0;
    ASSERT_EQ(device->GetDrive(L"C:", drive), S_OK);
    ASSERT_EQ(drive.Drive()->GetCapacity(bytes), S_OK);
    EXPECT_EQ(bytes, 2147483647L);
    ASSERT_EQ(drive.Drive()->GetFreeBytes(bytes), S_OK);
    EXPECT_EQ(bytes, 0x40000000L);
    ASSERT_EQ(device->GetDrive(L"E:", drive), S_OK);
    ASSERT_EQ(drive.Drive()->GetCapacity(bytes), S_OK);
    EXPECT_EQ(bytes, 2147483647L);
    ASSERT_EQ(drive.Drive()->GetFreeBytes(bytes), S_OK);
    EXPECT_EQ(bytes, 0x7FFFFFFFL);
    CKivString label;
    ASSERT_EQ(drive.Drive()->GetLabel(label), S_OK);
    EXPECT_STREQ(label.c_str(), L"Memory card");

    bool clamped = true;
    EXPECT_EQ(ClampDriveBytes(5, 0, clamped), 5);
    EXPECT_FALSE(clamped);
    EXPECT_EQ(ClampDriveBytes(-1, 0, clamped), 0x7FFFFFFF);
    EXPECT_TRUE(clamped);
}

TEST_F(DeviceModel, TheDriveListIsReadAgainForEveryListing)
{
    std::vector<CFileDescription> drives;
    ASSERT_EQ(device->ListDriveEntries(drives), S_OK);
    EXPECT_EQ(Names(drives), (std::vector<std::wstring>{L"C:", L"E:"}));
    EXPECT_EQ(CallsOf([&] { ASSERT_EQ(device->ListDriveEntries(drives), S_OK); }), RingReadCalls(2));
    phone->drives.clear();
    EXPECT_EQ(device->ListDriveEntries(drives), KIV_E_DRIVENOTFOUND);
}

TEST_F(DeviceModel, PhoneFailuresComeBackAsTheOperationsResult)
{
    CFileDescription folder, file;
    ASSERT_EQ(device->GetDirectory(L"C:\\Images\\", folder), S_OK);
    EXPECT_EQ(folder.Directory()->Remove(), E_NOTIMPL);
    EXPECT_EQ(folder.Directory()->RenameChildFile(L"none.jpg", L"x.jpg"), KIV_E_FILENOTFOUND);
    EXPECT_EQ(folder.Directory()->CreateSubFolder(L"New"), S_OK);
    // Created on the phone, seen once the folder is read again.
    EXPECT_EQ(device->GetDirectory(L"C:\\Images\\New\\", file), S_OK);
    long requestId = 0;
    ASSERT_EQ(device->GetFile(L"C:\\Images\\b.mp3", file), S_OK);
    EXPECT_EQ(file.File()->StartCopyToPC(L"C:\\temp\\b.mp3", requestId), S_OK);
    EXPECT_EQ(requestId, 7);
}
