// The photo settings in a profile file of the test's own: what a first start reads, what is
// stored and read back, and how a PC folder that is gone is replaced.
#include "plugins/photopane/PhotoSettingsStore.h"

#include "tests/TestTree.h"
#include "tests/support/RegistryValueGuard.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

using tolv::photopane::CPhotoSettingsStore;
using tolv::photopane::PhotoSettings;

namespace {

constexpr wchar_t kLogin[] = L"tester";
constexpr wchar_t kSection[] = L"tester_Photopane";

std::wstring StoredValue(const std::wstring& profile, const wchar_t* key)
{
    wchar_t value[MAX_PATH] = {};
    GetPrivateProfileStringW(kSection, key, L"<missing>", value, MAX_PATH, profile.c_str());
    return value;
}

}  // namespace

class PhotoSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_root = std::wstring(temp) + L"photopane-settings-" + std::to_wstring(GetCurrentProcessId());
        RemoveTestTree(m_root);
        m_pictures = m_root + L"\\Pictures";
        m_chosen = m_root + L"\\Chosen";
        ASSERT_TRUE(CreateDirectoryW(m_root.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(m_pictures.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW(m_chosen.c_str(), nullptr));
        m_profile = m_root + L"\\Photopane.INI";
        m_picturesValue.SetString(m_pictures.c_str());
    }
    void TearDown() override { RemoveTestTree(m_root); }

    CPhotoSettingsStore Store() const { return CPhotoSettingsStore(m_profile, kLogin); }

    std::wstring m_root;
    std::wstring m_pictures;
    std::wstring m_chosen;
    std::wstring m_profile;
    CRegistryValueGuard m_picturesValue{
        HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"My Pictures"};
};

TEST_F(PhotoSettingsStoreTest, AFirstStartReadsThePicturesFolderNoPhoneFolderAndTheFirstChoices)
{
    const PhotoSettings settings = Store().Read();
    EXPECT_EQ(settings.pcFolder, m_pictures);
    EXPECT_EQ(settings.phoneFolder, L"");
    EXPECT_EQ(settings.pcOverwrite, 0);
    EXPECT_EQ(settings.keepOnDevice, 0);
}

TEST_F(PhotoSettingsStoreTest, WrittenSettingsAreStringsInTheUsersSectionAndReadBack)
{
    const PhotoSettings written{m_chosen, L"E:\\Images\\Trip", 1, 1};
    ASSERT_TRUE(Store().Write(written));

    // Do-not-overwrite and delete-originals are the second radio buttons: index 1.
    EXPECT_EQ(StoredValue(m_profile, L"PCDir"), m_chosen);
    EXPECT_EQ(StoredValue(m_profile, L"PhoneDir"), L"E:\\Images\\Trip");
    EXPECT_EQ(StoredValue(m_profile, L"PCOverwrite"), L"1");
    EXPECT_EQ(StoredValue(m_profile, L"KeepOnDevice"), L"1");

    const PhotoSettings read = Store().Read();
    EXPECT_EQ(read.pcFolder, m_chosen);
    EXPECT_EQ(read.phoneFolder, L"E:\\Images\\Trip");
    EXPECT_EQ(read.pcOverwrite, 1);
    EXPECT_EQ(read.keepOnDevice, 1);

    // Another user's section is apart from this one.
    EXPECT_EQ(CPhotoSettingsStore(m_profile, L"someone").Read().phoneFolder, L"");
    // Going back to the first choices stores them as "0", not as an absent value.
    ASSERT_TRUE(Store().Write(PhotoSettings{m_chosen, L"", 0, 0}));
    EXPECT_EQ(StoredValue(m_profile, L"PCOverwrite"), L"0");
    EXPECT_EQ(StoredValue(m_profile, L"KeepOnDevice"), L"0");
    EXPECT_EQ(StoredValue(m_profile, L"PhoneDir"), L"");
}

TEST_F(PhotoSettingsStoreTest, AStoredPcFolderThatIsGoneReadsAsThePicturesFolderElseTheDrive)
{
    ASSERT_TRUE(Store().Write(PhotoSettings{m_chosen, L"C:\\Nokia\\Images", 1, 0}));
    ASSERT_TRUE(RemoveDirectoryW(m_chosen.c_str()));
    PhotoSettings read = Store().Read();
    EXPECT_EQ(read.pcFolder, m_pictures);
    // Only the PC folder is replaced.
    EXPECT_EQ(read.phoneFolder, L"C:\\Nokia\\Images");
    EXPECT_EQ(read.pcOverwrite, 1);
    // The replacement is not written back: a folder that comes back (a network drive) is used again.
    EXPECT_EQ(StoredValue(m_profile, L"PCDir"), m_chosen);

    ASSERT_TRUE(RemoveDirectoryW(m_pictures.c_str()));
    EXPECT_EQ(Store().Read().pcFolder, L"C:\\");
    m_picturesValue.Remove();
    EXPECT_EQ(Store().Read().pcFolder, L"C:\\");
    // A file of the stored name is no folder either.
    const std::wstring file = m_root + L"\\NotAFolder";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(Store().Write(PhotoSettings{file, L"", 0, 0}));
    EXPECT_EQ(Store().Read().pcFolder, L"C:\\");
}

TEST_F(PhotoSettingsStoreTest, ChoicesOutsideTheRadioPairReadAsTheFirstButton)
{
    for (const wchar_t* stored : {L"2", L"-1", L"yes", L""}) {
        WritePrivateProfileStringW(kSection, L"PCOverwrite", stored, m_profile.c_str());
        WritePrivateProfileStringW(kSection, L"KeepOnDevice", stored, m_profile.c_str());
        const PhotoSettings read = Store().Read();
        EXPECT_EQ(read.pcOverwrite, 0) << stored;
        EXPECT_EQ(read.keepOnDevice, 0) << stored;
    }
}
