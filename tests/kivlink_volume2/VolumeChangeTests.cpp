// Creating, removing and moving entries inside the phone.
#include "VolumeFixture.h"

#include <oleauto.h>

namespace {

HRESULT Call(HRESULT (STDMETHODCALLTYPE IKivVolume2::*method)(BSTR), IKivVolume2* volume, const wchar_t* path)
{
    BSTR argument = SysAllocString(path);
    HRESULT hr = (volume->*method)(argument);
    SysFreeString(argument);
    return hr;
}

HRESULT InDevice(IKivVolume2* volume, const wchar_t* source, const wchar_t* target, long flags)
{
    BSTR from = SysAllocString(source);
    BSTR to = SysAllocString(target);
    HRESULT hr = volume->CopyInDevice(from, to, flags);
    SysFreeString(from);
    SysFreeString(to);
    return hr;
}

bool FolderExists(const std::wstring& pcPath)
{
    DWORD attributes = GetFileAttributesW(pcPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TEST_F(VolumeTest, CreateEntryMakesEveryMissingFolderAndRefusesWildcards)
{
    EXPECT_EQ(Call(&IKivVolume2::CreateEntry, m_volume.get(), L"C:\\Made\\Deep\\Down"), S_OK);
    EXPECT_TRUE(FolderExists(BackingPath(L"C:\\Made\\Deep\\Down")));
    // An existing folder is no failure; with a trailing backslash neither.
    EXPECT_EQ(Call(&IKivVolume2::CreateEntry, m_volume.get(), L"C:\\Made\\Deep\\"), S_OK);
    EXPECT_EQ(Call(&IKivVolume2::CreateEntry, m_volume.get(), L"C:\\Made\\*"), E_INVALIDARG);
    EXPECT_EQ(Call(&IKivVolume2::CreateEntry, m_volume.get(), L"Q:\\Nope"), KIV_E_DRIVENOTFOUND);
}

TEST_F(VolumeTest, RemoveEntryWithAWildcardSkipsReadOnlyFilesAfterDeletingTheOthers)
{
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Images\\one.jpg"), 5));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Images\\two.jpg"), 5));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Images\\keep.png"), 5));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Images\\album.jpg\\inside.txt"), 5));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\locked.jpg"), 5));
    ASSERT_EQ(SetPhoneFileAttributes(L"locked.jpg", FILE_ATTRIBUTE_READONLY), S_OK);
    ASSERT_TRUE(MoveFileW(BackingPath(L"C:\\locked.jpg").c_str(), BackingPath(L"C:\\Images\\locked.jpg").c_str()));

    EXPECT_EQ(Call(&IKivVolume2::RemoveEntry, m_volume.get(), L"C:\\Images\\*.jpg"), static_cast<HRESULT>(0x80071779));
    EXPECT_FALSE(FileExists(BackingPath(L"C:\\Images\\one.jpg")));
    EXPECT_FALSE(FileExists(BackingPath(L"C:\\Images\\two.jpg")));
    EXPECT_FALSE(FolderExists(BackingPath(L"C:\\Images\\album.jpg")));
    EXPECT_TRUE(FileExists(BackingPath(L"C:\\Images\\locked.jpg")));
    EXPECT_TRUE(FileExists(BackingPath(L"C:\\Images\\keep.png")));

    // Without a wildcard the read-only file stays too, and the rest goes one by one.
    EXPECT_EQ(Call(&IKivVolume2::RemoveEntry, m_volume.get(), L"C:\\Images\\locked.jpg"),
              static_cast<HRESULT>(0x80071779));
    EXPECT_EQ(Call(&IKivVolume2::RemoveEntry, m_volume.get(), L"C:\\Images\\keep.png"), S_OK);
    EXPECT_FALSE(FileExists(BackingPath(L"C:\\Images\\keep.png")));
    EXPECT_EQ(Call(&IKivVolume2::RemoveEntry, m_volume.get(), L"C:\\Images\\gone.png"), KIV_E_FOLDERNOTFOUND);
    EXPECT_EQ(Call(&IKivVolume2::RemoveEntry, m_volume.get(), L"C:\\Images\\"), S_OK);
    EXPECT_FALSE(FolderExists(BackingPath(L"C:\\Images")));
}

TEST_F(VolumeTest, CopyInDeviceMovesWithMoveAndCopiesOtherwise)
{
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Move\\from.txt"), 300));
    ASSERT_EQ(Call(&IKivVolume2::CreateEntry, m_volume.get(), L"C:\\Move\\To"), S_OK);
    EXPECT_EQ(InDevice(m_volume.get(), L"C:\\Move\\from.txt", L"C:\\Move\\To\\moved.txt", eMove), S_OK);
    EXPECT_FALSE(FileExists(BackingPath(L"C:\\Move\\from.txt")));
    EXPECT_EQ(FileSizeOf(BackingPath(L"C:\\Move\\To\\moved.txt")), 300);

    // Another letter case of an existing name is another file to the user: refused.
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Move\\other.txt"), 3));
    EXPECT_EQ(InDevice(m_volume.get(), L"C:\\Move\\other.txt", L"C:\\Move\\To\\MOVED.TXT", eMove), E_INVALIDARG);
    EXPECT_TRUE(FileExists(BackingPath(L"C:\\Move\\other.txt")));

    // Without eMove (any other flags) it copies, and both stay.
    EXPECT_EQ(InDevice(m_volume.get(), L"C:\\Move\\To\\moved.txt", L"C:\\Move\\copy.txt", eBlocked | eNoOverwrite),
              S_OK);
    EXPECT_EQ(FileSizeOf(BackingPath(L"C:\\Move\\copy.txt")), 300);
    EXPECT_TRUE(FileExists(BackingPath(L"C:\\Move\\To\\moved.txt")));

    EXPECT_EQ(InDevice(m_volume.get(), L"C:\\Move\\other.txt", L"C:\\Move\\*.txt", 0), E_INVALIDARG);
}
