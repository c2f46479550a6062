// The settings store against a profile of the test's own: what a first start reads, what a
// write leaves for the next read, and the profile's older spellings.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "plugins/tunepane/Mp3ProfileLocation.h"
#include "plugins/tunepane/Mp3SettingsStore.h"

using tolv::tunepane::CMp3SettingsStore;
using tolv::tunepane::Mp3Row;
using tolv::tunepane::Mp3Settings;

namespace {

constexpr wchar_t kUser[] = L"alice";
constexpr wchar_t kPhonePath[] = L"\\Mp3";
constexpr wchar_t kDocuments[] = L"C:\\users\\alice\\Documents";

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        m_profile = std::wstring(folder) + L"Mp3SettingsTest" + std::to_wstring(GetCurrentProcessId()) + L".ini";
        DeleteFileW(m_profile.c_str());
    }
    void TearDown() override { DeleteFileW(m_profile.c_str()); }

    CMp3SettingsStore Store(const wchar_t* user = kUser) const
    {
        return CMp3SettingsStore(m_profile, user, kPhonePath, kDocuments);
    }
    std::wstring Raw(const wchar_t* section, const wchar_t* key) const
    {
        wchar_t value[256] = {};
        GetPrivateProfileStringW(section, key, L"<none>", value, 256, m_profile.c_str());
        return value;
    }

    std::wstring m_profile;
};

}  // namespace

TEST_F(SettingsStoreTest, AFirstStartHasOneFolderRowForTheDocumentsFolderAndTheDefaults)
{
    const Mp3Settings settings = Store().Read();
    EXPECT_EQ(settings.phonePath, kPhonePath);
    EXPECT_EQ(settings.memoryToFill, 10);
    EXPECT_EQ(settings.randomSelection, 0);
    EXPECT_EQ(settings.deleteAll, 1);
    ASSERT_EQ(settings.rows.size(), 1u);
    EXPECT_EQ(settings.rows[0].directory, kDocuments);
    EXPECT_EQ(settings.rows[0].name, L"*.mp3");
}

TEST_F(SettingsStoreTest, WrittenSettingsReadBackAndAShorterListLeavesNoOldRows)
{
    Mp3Settings written;
    written.phonePath = L"\\Music\\Car";
    written.memoryToFill = 35;
    written.randomSelection = 1;
    written.deleteAll = 0;
    written.rows = {{L"C:\\Music", L"*.mp3"}, {L"D:\\Mixes", L"Night drive.MP3"}, {L"C:\\Music\\Old", L"a.b.mp3"}};
    ASSERT_TRUE(Store().Write(written));

    Mp3Settings read = Store().Read();
    EXPECT_EQ(read.phonePath, written.phonePath);
    EXPECT_EQ(read.memoryToFill, 35);
    EXPECT_EQ(read.randomSelection, 1);
    EXPECT_EQ(read.deleteAll, 0);
    ASSERT_EQ(read.rows.size(), 3u);
    for (size_t index = 0; index < read.rows.size(); ++index) {
        EXPECT_EQ(read.rows[index].directory, written.rows[index].directory) << index;
        EXPECT_EQ(read.rows[index].name, written.rows[index].name) << index;
    }
    // As strings, in the sections the host's other versions read.
    EXPECT_EQ(Raw(L"alice_Tunepane", L"MemoryToFill"), L"35");
    EXPECT_EQ(Raw(L"alice_Mp3DataCount", L"Count"), L"3");
    EXPECT_EQ(Raw(L"alice_Mp3Data", L"2"), L"Night drive.MP3");

    written.rows.resize(1);
    ASSERT_TRUE(Store().Write(written));
    EXPECT_EQ(Store().Read().rows.size(), 1u);
    EXPECT_EQ(Raw(L"alice_Mp3Path", L"2"), L"<none>");

    // An empty list stays empty rather than falling back to the documents folder.
    written.rows.clear();
    ASSERT_TRUE(Store().Write(written));
    EXPECT_TRUE(Store().Read().rows.empty());
}

TEST_F(SettingsStoreTest, UsersKeepTheirOwnSectionsInOneProfile)
{
    Mp3Settings bobs = Store(L"bob").Read();
    bobs.memoryToFill = 80;
    bobs.rows = {{L"C:\\Bob", L"x.mp3"}};
    ASSERT_TRUE(Store(L"bob").Write(bobs));

    const Mp3Settings alices = Store().Read();
    EXPECT_EQ(alices.memoryToFill, 10);
    ASSERT_EQ(alices.rows.size(), 1u);
    EXPECT_EQ(alices.rows[0].directory, kDocuments);
    EXPECT_EQ(Store(L"bob").Read().memoryToFill, 80);
}

TEST_F(SettingsStoreTest, AnOlderFolderRowNameAndMissingRowValuesReadAsFolderRows)
{
    WritePrivateProfileStringW(L"alice_Mp3DataCount", L"Count", L"3", m_profile.c_str());
    WritePrivateProfileStringW(L"alice_Mp3Path", L"1", L"C:\\Old", m_profile.c_str());
    WritePrivateProfileStringW(L"alice_Mp3Data", L"1", L"*.*", m_profile.c_str());
    WritePrivateProfileStringW(L"alice_Mp3Path", L"2", L"C:\\Songs", m_profile.c_str());
    WritePrivateProfileStringW(L"alice_Mp3Data", L"2", L"tune.mp3", m_profile.c_str());

    const Mp3Settings settings = Store().Read();
    ASSERT_EQ(settings.rows.size(), 3u);
    EXPECT_EQ(settings.rows[0].directory, L"C:\\Old");
    EXPECT_EQ(settings.rows[0].name, L"*.mp3");
    EXPECT_EQ(settings.rows[1].name, L"tune.mp3");
    EXPECT_EQ(settings.rows[2].directory, kDocuments);
    EXPECT_EQ(settings.rows[2].name, L"*.mp3");
}

TEST_F(SettingsStoreTest, ALongValueIsReadWhole)
{
    const std::wstring longFolder = L"C:\\" + std::wstring(700, L'f');
    Mp3Settings settings = Store().Read();
    settings.rows = {{longFolder, L"*.mp3"}};
    ASSERT_TRUE(Store().Write(settings));
    EXPECT_EQ(Store().Read().rows.at(0).directory, longFolder);
}

TEST(ProfileLocationTest, TheProfileIsNamedAfterTheModuleAndTheUserIsKnown)
{
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const std::wstring name = tolv::tunepane::ProfileNameOf(kernel);
    EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(), -1, L"kernel32.INI", -1), CSTR_EQUAL)
        << name;
    EXPECT_FALSE(tolv::tunepane::LoginName().empty());
    // Wine records the documents folder for every prefix.
    EXPECT_FALSE(tolv::tunepane::DocumentsFolder().empty());
}
