// Listings and descriptions: the exact texts clients parse.
#include "VolumeFixture.h"

#include <oleauto.h>

namespace {

std::wstring Info(IKivVolume2* volume, const wchar_t* path, HRESULT* result = nullptr)
{
    BSTR info = nullptr;
    BSTR argument = SysAllocString(path);
    HRESULT hr = volume->GetInfo(argument, &info);
    SysFreeString(argument);
    if (result)
        *result = hr;
    return Text(info);
}

std::wstring Entries(IKivVolume2* volume, const wchar_t* path, bool recursive, HRESULT* result = nullptr)
{
    BSTR entries = nullptr;
    BSTR argument = SysAllocString(path);
    HRESULT hr = volume->ListEntries(argument, recursive ? VARIANT_TRUE : VARIANT_FALSE, &entries);
    SysFreeString(argument);
    if (result)
        *result = hr;
    return Text(entries);
}

}  // namespace

TEST_F(VolumeTest, DevicesAndDrivesAreListedWithACommaAfterEveryName)
{
    BSTR devices = nullptr;
    ASSERT_EQ(m_volume->ListDevices(&devices), S_OK);
    EXPECT_EQ(Text(devices), L"354812013456789,");
    BSTR drives = nullptr;
    ASSERT_EQ(m_volume->ListDrives(&drives), S_OK);
    EXPECT_EQ(Text(drives), L"C:,E:,");

    BSTR name = SysAllocString(L"354812013456789");
    EXPECT_EQ(m_volume->SelectDevice(name), S_OK);
    SysFreeString(name);
    name = SysAllocString(L"111111111111111");
    EXPECT_EQ(m_volume->SelectDevice(name), E_INVALIDARG);
    SysFreeString(name);
}

TEST_F(VolumeTest, InfoDescribesDevicesDrivesFoldersAndFiles)
{
    HRESULT hr = E_FAIL;
    EXPECT_EQ(Info(m_volume.get(), L"C:\\", &hr), L"Type=Directory,Attribute=DIRECTORY,Size=0,Date=0,");
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(Info(m_volume.get(), L"E:\\", &hr), L"Type=Directory,Attribute=DIRECTORY,Size=0,Date=0,");
    // Free space is what the simulator was given less what the tests have put on the drive.
    const std::wstring drive = Info(m_volume.get(), L"C:", &hr);
    EXPECT_EQ(drive.rfind(L"Label=Phone memory,Capacity=134217728,Freespace=", 0), 0u) << drive;
    EXPECT_EQ(drive.back(), L',');
    EXPECT_LE(std::stoll(drive.substr(48)), 100663296LL);
    EXPECT_EQ(Info(m_volume.get(), L"354812013456789", &hr),
              L"manufacturer=Vostrel,model=Tamlo,charge=80,signal=60,IMEI=354812013456789,");
    EXPECT_EQ(hr, S_OK);
    // A number that is no connected device still gets its text, without identity.
    EXPECT_EQ(Info(m_volume.get(), L"42", &hr), L"manufacturer=,model=,charge=80,signal=60,IMEI=42,");

    // 1 January 2026 12:00 UTC is day 46023.5 of OLE Automation time: the text keeps whole days.
    SYSTEMTIME noon = {2026, 1, 4, 1, 12, 0, 0, 0};
    FILETIME written;
    SystemTimeToFileTime(&noon, &written);
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Docs\\plain.txt"), 1234, &written));
    EXPECT_EQ(Info(m_volume.get(), L"C:\\Docs\\plain.txt", &hr), L"Type=File,Attribute=ARCHIVE,Size=1234,Date=46023,");
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(Info(m_volume.get(), L"C:\\Docs", &hr), L"Type=Directory,Attribute=DIRECTORY,Size=0,Date=0,");

    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\guarded.dat"), 10));
    ASSERT_EQ(SetPhoneFileAttributes(L"guarded.dat", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), S_OK);
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\bare.dat"), 10));
    ASSERT_EQ(SetPhoneFileAttributes(L"bare.dat", 0), S_OK);
    const std::wstring guarded = Info(m_volume.get(), L"C:\\guarded.dat", &hr);
    EXPECT_EQ(guarded.rfind(L"Type=File,Attribute=READONLY+HIDDEN,Size=10,Date=", 0), 0u) << guarded;
    EXPECT_NE(Info(m_volume.get(), L"C:\\bare.dat").find(L"Attribute=NORMAL,"), std::wstring::npos);
}

TEST_F(VolumeTest, BadPathsAreRefusedAndMissingOnesReported)
{
    HRESULT hr = S_OK;
    Info(m_volume.get(), L"C:\\*.txt", &hr);
    EXPECT_EQ(hr, E_INVALIDARG);
    Info(m_volume.get(), L"no drive", &hr);
    EXPECT_EQ(hr, E_INVALIDARG);
    Info(m_volume.get(), L"C:\\Nowhere\\file.txt", &hr);
    EXPECT_EQ(hr, KIV_E_FOLDERNOTFOUND);
    Info(m_volume.get(), L"Q:", &hr);
    EXPECT_EQ(hr, KIV_E_DRIVENOTFOUND);
    Entries(m_volume.get(), L"relative\\path", false, &hr);
    EXPECT_EQ(hr, E_INVALIDARG);
}

TEST_F(VolumeTest, EntriesListFilesBeforeFoldersAndRecurseOnRequest)
{
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Tree\\b.txt"), 1));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Tree\\a.txt"), 1));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Tree\\Sub\\c.txt"), 1));
    HRESULT hr = E_FAIL;
    EXPECT_EQ(Entries(m_volume.get(), L"C:\\Tree", false, &hr), L"C:\\Tree\\a.txt,C:\\Tree\\b.txt,C:\\Tree\\Sub,");
    EXPECT_EQ(hr, S_OK);
    // Depth first: a child folder, its contents, then the folder's own files.
    EXPECT_EQ(Entries(m_volume.get(), L"C:\\Tree", true, &hr),
              L"C:\\Tree\\Sub,C:\\Tree\\Sub\\c.txt,C:\\Tree\\a.txt,C:\\Tree\\b.txt,");
    // Listings always read the phone again: a file added behind Kivlink's back shows at once.
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Tree\\0.txt"), 1));
    EXPECT_EQ(Entries(m_volume.get(), L"C:\\Tree", false, &hr),
              L"C:\\Tree\\0.txt,C:\\Tree\\a.txt,C:\\Tree\\b.txt,C:\\Tree\\Sub,");
}
