// Walking the simulated phone from another process: devices, drives, folders and files, with
// what the real PC files behind them say.
#include "PhoneSimTest.h"

#include <cstdio>

#include "com/UniqueBstr.h"

using tolv::com::com_ptr;
using tolv::com::unique_bstr;

namespace {

DATE UtcDate(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    DATE date = 0;
    SystemTimeToVariantTime(&time, &date);
    return date;
}

// A DATE as the calendar reads it, to the second.
std::string Calendar(DATE date)
{
    SYSTEMTIME time{};
    if (!VariantTimeToSystemTime(date, &time)) {
        return "invalid";
    }
    char text[32];
    snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
             time.wMinute, time.wSecond);
    return text;
}

void SetWriteTime(const std::wstring& path, WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    FILETIME written{};
    SystemTimeToFileTime(&time, &written);
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}

}  // namespace

using PhoneSimObjectModel = PhoneSimTest;

TEST_F(PhoneSimObjectModel, TheDeviceCarriesItsIdentityAndItsTwoDrives)
{
    com_ptr<ISCDeviceCollection> devices;
    ASSERT_EQ(application->GetDevices(devices.put()), S_OK);
    LONG count = 0;
    ASSERT_EQ(devices->GetCount(&count), S_OK);
    ASSERT_EQ(count, 1);
    VARIANT outside;
    VariantInit(&outside);
    outside.vt = VT_I4;
    outside.lVal = 2;
    com_ptr<ISCDevice> none;
    EXPECT_EQ(devices->Item(outside, none.put()), E_INVALIDARG);

    const com_ptr<ISCDevice> device = DeviceAt(application.get(), 1);
    ASSERT_TRUE(device);
    unique_bstr text;
    ASSERT_EQ(device->GetName(text.put()), S_OK);
    EXPECT_EQ(Text(text.get()), kDefaultPhone);
    ASSERT_EQ(device->GetManufacturer(text.put()), S_OK);
    EXPECT_EQ(Text(text.get()), L"Unknown");
    ASSERT_EQ(device->GetModel(text.put()), S_OK);
    EXPECT_EQ(Text(text.get()), L"Tamlo");
    ASSERT_EQ(device->GetIdentifier(text.put()), S_OK);
    EXPECT_EQ(Text(text.get()), L"COM4");

    com_ptr<ISCDriveCollection> drives;
    ASSERT_EQ(device->GetDrives(drives.put()), S_OK);
    ASSERT_EQ(drives->GetCount(&count), S_OK);
    EXPECT_EQ(count, 2);
    const auto memory = DriveNamed(device.get(), L"C:");
    const auto card = DriveNamed(device.get(), L"E:");
    ASSERT_TRUE(memory && card);
    ASSERT_EQ(card->SetLabel(unique_bstr(L"Holiday").get()), S_OK);
    ASSERT_EQ(card->GetLabel(text.put()), S_OK);
    EXPECT_EQ(Text(text.get()), L"Holiday");

    com_ptr<ISCFolder> root;
    ASSERT_EQ(card->GetRootFolder(root.put()), S_OK);
    ASSERT_EQ(root->GetName(text.put()), S_OK);
    EXPECT_EQ(Text(text.get()), L"E:\\");
}

TEST_F(PhoneSimObjectModel, FoldersAndFilesShowTheBackingFilesWithTheirSizesDatesAndAttributes)
{
    const std::wstring card = DriveFolder(L'E');
    CreateDirectoryW((card + L"\\Images").c_str(), nullptr);
    CreateDirectoryW((card + L"\\Images\\2023").c_str(), nullptr);
    CreateDirectoryW((card + L"\\Music").c_str(), nullptr);
    WritePatternFile(card + L"\\Images\\b.jpg", 1234);
    WritePatternFile(card + L"\\Images\\A.jpg", 10);
    SetWriteTime(card + L"\\Images\\b.jpg", 2021, 6, 15, 10, 30, 45);
    SetFileAttributesW((card + L"\\Images\\A.jpg").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    const auto root = Root(L'E');
    ASSERT_TRUE(root);
    EXPECT_EQ(FolderNames(root.get()), (std::vector<std::wstring>{L"E:\\Images", L"E:\\Music"}));
    const auto images = ChildFolder(root.get(), L"Images");
    ASSERT_TRUE(images);
    EXPECT_EQ(FolderNames(images.get()), std::vector<std::wstring>{L"E:\\Images\\2023"});
    EXPECT_EQ(FileNames(images.get()), (std::vector<std::wstring>{L"E:\\Images\\A.jpg", L"E:\\Images\\b.jpg"}));

    const auto photo = ChildFile(images.get(), L"b.jpg");
    ASSERT_TRUE(photo);
    LONG size = 0;
    ASSERT_EQ(photo->GetSize(&size), S_OK);
    EXPECT_EQ(size, 1234);
    DATE date = 0;
    ASSERT_EQ(photo->GetDate(&date), S_OK);
    EXPECT_EQ(Calendar(date), "2021-06-15 10:30:45");
    LONG attributes = 0;
    ASSERT_EQ(ChildFile(images.get(), L"A.jpg")->GetAttributes(&attributes), S_OK);
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    unique_bstr text;
    ASSERT_EQ(photo->GetShortName(text.put()), S_OK);
    EXPECT_EQ(Text(text.get()), L"b.jpg");
}

TEST_F(PhoneSimObjectModel, AttributesAndDatesSetThroughThePhoneRoundTrip)
{
    WritePatternFile(DriveFolder(L'C') + L"\\notes.txt", 100);
    const auto root = Root(L'C');
    ASSERT_TRUE(root);
    const auto file = ChildFile(root.get(), L"notes.txt");
    ASSERT_TRUE(file);

    for (const LONG wanted : {LONG{FILE_ATTRIBUTE_ARCHIVE}, LONG{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM},
                              LONG{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_COMPRESSED}, LONG{0},
                              LONG{FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                   FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_COMPRESSED}}) {
        ASSERT_EQ(file->SetAttributes(wanted), S_OK);
        LONG attributes = -1;
        ASSERT_EQ(file->GetAttributes(&attributes), S_OK);
        EXPECT_EQ(attributes, wanted);
    }
    EXPECT_EQ(file->SetAttributes(FILE_ATTRIBUTE_DIRECTORY), E_INVALIDARG);

    // The date changes, the compressed bit set above stays.
    const DATE wanted = UtcDate(2019, 2, 28, 23, 59, 58);
    ASSERT_EQ(file->SetDate(wanted), S_OK);
    DATE date = 0;
    ASSERT_EQ(file->GetDate(&date), S_OK);
    EXPECT_EQ(Calendar(date), "2019-02-28 23:59:58");
    // Read back and written again, a date stays exactly what it was.
    ASSERT_EQ(file->SetDate(date), S_OK);
    DATE again = 0;
    ASSERT_EQ(file->GetDate(&again), S_OK);
    EXPECT_EQ(again, date);
    LONG attributes = 0;
    ASSERT_EQ(file->GetAttributes(&attributes), S_OK);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_COMPRESSED);
    // The real file carries what a PC file can.
    EXPECT_TRUE(GetFileAttributesW((DriveFolder(L'C') + L"\\notes.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(PhoneSimObjectModel, CapacityAndFreeSpaceAboveFourGigabytesComeInHalves)
{
    constexpr unsigned long long capacity = 0x2C0000000ULL;  // 11 GiB
    constexpr unsigned long long free = 0x1A0001000ULL;
    ASSERT_EQ(control->ConfigureDrive(nullptr, unique_bstr(L"E:").get(), driveSettingCapacity | driveSettingFree,
                                      nullptr, static_cast<LONG>(capacity & 0xFFFFFFFF),
                                      static_cast<LONG>(capacity >> 32), static_cast<LONG>(free & 0xFFFFFFFF),
                                      static_cast<LONG>(free >> 32)),
              S_OK);
    const auto device = DeviceAt(application.get(), 1);
    ASSERT_TRUE(device);
    const auto drive = DriveNamed(device.get(), L"E:");
    ASSERT_TRUE(drive);
    // The space figures come from the drive object itself.
    const auto space = drive.try_query<ISCDriveSpace>();
    ASSERT_TRUE(space);
    LONG low = 0;
    LONG high = 0;
    ASSERT_EQ(space->GetCapacityLow(&low), S_OK);
    ASSERT_EQ(space->GetCapacityHigh(&high), S_OK);
    EXPECT_EQ(static_cast<DWORD>(low), 0xC0000000u);
    EXPECT_EQ(high, 2);
    ASSERT_EQ(space->GetFreeLow(&low), S_OK);
    ASSERT_EQ(space->GetFreeHigh(&high), S_OK);
    EXPECT_EQ(static_cast<DWORD>(low), 0xA0001000u);
    EXPECT_EQ(high, 1);
    LONG kilobytes = 0;
    ASSERT_EQ(space->GetCapacityKilobytes(&kilobytes), S_OK);
    EXPECT_EQ(kilobytes, static_cast<LONG>(capacity / 1024));

    // Bytes written to the drive come off its free space.
    WritePatternFile(DriveFolder(L'E') + L"\\big.bin", 8192);
    ASSERT_EQ(space->GetFreeLow(&low), S_OK);
    EXPECT_EQ(static_cast<DWORD>(low), 0xA0001000u - 8192u);
}

TEST_F(PhoneSimObjectModel, FoldersAreCreatedRenamedMovedAndRemoved)
{
    const auto root = Root(L'C');
    ASSERT_TRUE(root);
    com_ptr<ISCFolder> data;
    ASSERT_EQ(root->CreateFolder(unique_bstr(L"Data").get(), data.put()), S_OK);
    com_ptr<ISCFolder> again;
    EXPECT_EQ(root->CreateFolder(unique_bstr(L"data").get(), again.put()), static_cast<HRESULT>(0x800700B7));
    EXPECT_EQ(root->CreateFolder(unique_bstr(L"a*b").get(), again.put()), E_INVALIDARG);
    EXPECT_EQ(root->CreateFolder(unique_bstr(L"..").get(), again.put()), E_INVALIDARG);
    com_ptr<ISCFolder> inner;
    ASSERT_EQ(data->CreateFolder(unique_bstr(L"Inner").get(), inner.put()), S_OK);
    WritePatternFile(DriveFolder(L'C') + L"\\Data\\Inner\\x.txt", 5);

    ASSERT_EQ(inner->Move(unique_bstr(L"Renamed").get()), S_OK);
    EXPECT_TRUE(FileExists(DriveFolder(L'C') + L"\\Data\\Renamed\\x.txt"));
    // Across drives, by full path.
    ASSERT_EQ(inner->Move(unique_bstr(L"E:\\Moved").get()), S_OK);
    unique_bstr name;
    ASSERT_EQ(inner->GetName(name.put()), S_OK);
    EXPECT_EQ(Text(name.get()), L"E:\\Moved");
    EXPECT_TRUE(FileExists(DriveFolder(L'E') + L"\\Moved\\x.txt"));
    EXPECT_EQ(data->Move(unique_bstr(L"C:\\Data\\Below").get()), E_INVALIDARG);

    ASSERT_EQ(inner->Remove(), S_OK);
    EXPECT_FALSE(FileExists(DriveFolder(L'E') + L"\\Moved"));
    EXPECT_EQ(inner->Remove(), static_cast<HRESULT>(0x80070003));
    EXPECT_EQ(root->Remove(), E_ACCESSDENIED);
}

TEST_F(PhoneSimObjectModel, FilesAreRenamedMovedAndDeletedButReadOnlyOnesStay)
{
    WritePatternFile(DriveFolder(L'C') + L"\\a.txt", 3);
    WritePatternFile(DriveFolder(L'C') + L"\\b.txt", 4);
    const auto root = Root(L'C');
    ASSERT_TRUE(root);
    ASSERT_EQ(root->RenameFile(unique_bstr(L"a.txt").get(), unique_bstr(L"c.txt").get()), S_OK);
    EXPECT_EQ(root->RenameFile(unique_bstr(L"c.txt").get(), unique_bstr(L"b.txt").get()),
              static_cast<HRESULT>(0x800700B7));
    const auto file = ChildFile(root.get(), L"c.txt");
    ASSERT_TRUE(file);
    ASSERT_EQ(file->Rename(unique_bstr(L"E:\\moved.txt").get()), S_OK);
    EXPECT_TRUE(FileExists(DriveFolder(L'E') + L"\\moved.txt"));
    // Another letter case of the same name is a rename of the file itself.
    ASSERT_EQ(file->Rename(unique_bstr(L"MOVED.TXT").get()), S_OK);
    unique_bstr name;
    ASSERT_EQ(file->GetName(name.put()), S_OK);
    EXPECT_EQ(Text(name.get()), L"E:\\MOVED.TXT");

    ASSERT_EQ(file->SetAttributes(FILE_ATTRIBUTE_READONLY), S_OK);
    EXPECT_EQ(file->Delete(), E_ACCESSDENIED);
    ASSERT_EQ(file->SetAttributes(0), S_OK);
    ASSERT_EQ(file->Delete(), S_OK);
    EXPECT_FALSE(FileExists(DriveFolder(L'E') + L"\\MOVED.TXT"));
    LONG size = 0;
    EXPECT_EQ(file->GetSize(&size), static_cast<HRESULT>(0x80070002));
}

TEST_F(PhoneSimObjectModel, EveryServedCallIsCountedAlsoTheReleaseOfARemoteObject)
{
    constexpr LONG kCalls = 5;
    LONG before = 0;
    ASSERT_EQ(control->GetCallCount(&before), S_OK);
    for (LONG call = 0; call < kCalls; ++call) {
        LONG rate = 0;
        ASSERT_EQ(control->GetTransferRate(&rate), S_OK);
    }
    LONG after = 0;
    ASSERT_EQ(control->GetCallCount(&after), S_OK);
    // The second reading counts itself.
    EXPECT_EQ(after - before, kCalls + 1);

    com_ptr<ISCDeviceCollection> devices;
    ASSERT_EQ(application->GetDevices(devices.put()), S_OK);
    devices.reset();
    ASSERT_EQ(control->GetCallCount(&before), S_OK);
    EXPECT_GE(before - after, 2) << "GetDevices and the release of its answer";
}
