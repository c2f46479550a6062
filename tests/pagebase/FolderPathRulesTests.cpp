#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "plugins/common/FolderPathRules.h"

using tolv::plugins::IsAcceptableFolder;
using tolv::plugins::IsExistingFolder;
using tolv::plugins::IsWellFormedFolderPath;
using tolv::plugins::kMaxFolderPathLength;

TEST(FolderPathRulesTest, DriveRootsAndNestedFoldersAreWellFormed)
{
    EXPECT_TRUE(IsWellFormedFolderPath(L"C:\\"));
    EXPECT_TRUE(IsWellFormedFolderPath(L"z:\\Music"));
    EXPECT_TRUE(IsWellFormedFolderPath(L"D:\\My Music\\Rock and Roll\\1999"));
    EXPECT_TRUE(IsWellFormedFolderPath(L"E:\\v1.2\\a.b.c"));
    EXPECT_TRUE(IsWellFormedFolderPath(L"E:\\Fotos ~ [2024] (alt) #1 & more"));
}

TEST(FolderPathRulesTest, APathMustBeginWithALetterAColonAndABackslash)
{
    for (const wchar_t* path : {L"", L"C", L"C:", L"C:Music", L"1:\\Music", L"\\\\server\\share", L"CC:\\Music",
                                L":\\Music", L"C/\\Music", L"C:/Music", L"\\Music", L"Music"}) {
        EXPECT_FALSE(IsWellFormedFolderPath(path)) << path;
    }
}

TEST(FolderPathRulesTest, EveryFolderNameMustHoldSomething)
{
    EXPECT_FALSE(IsWellFormedFolderPath(L"C:\\\\"));
    EXPECT_FALSE(IsWellFormedFolderPath(L"C:\\Music\\\\Rock"));
    // A separator at the end leaves an empty last name.
    EXPECT_FALSE(IsWellFormedFolderPath(L"C:\\Music\\"));
}

TEST(FolderPathRulesTest, NamesMayNotBeginOrEndWithABlankATabOrADot)
{
    for (const wchar_t* path : {L"C:\\ Music", L"C:\\Music ", L"C:\\\tMusic", L"C:\\Music\t", L"C:\\.Music",
                                L"C:\\Music.", L"C:\\.", L"C:\\..", L"C:\\Music\\..\\Other", L"C:\\Music\\Rock ."}) {
        EXPECT_FALSE(IsWellFormedFolderPath(path)) << path;
    }
}

TEST(FolderPathRulesTest, NamesMayNotHoldCharactersWindowsRefuses)
{
    for (wchar_t forbidden : std::wstring(L"<\"*/:>?|")) {
        std::wstring inside = L"C:\\Mu";
        inside += forbidden;
        inside += L"sic";
        EXPECT_FALSE(IsWellFormedFolderPath(inside)) << inside;
        EXPECT_FALSE(IsWellFormedFolderPath(L"C:\\Music\\" + std::wstring(1, forbidden))) << inside;
    }
}

TEST(FolderPathRulesTest, ThePathFitsTheEditBox)
{
    const std::wstring root = L"C:\\";
    const std::wstring longest = root + std::wstring(kMaxFolderPathLength - root.size(), L'a');
    EXPECT_TRUE(IsWellFormedFolderPath(longest));
    EXPECT_FALSE(IsWellFormedFolderPath(longest + L"a"));
}

class FolderOnDiskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"pagebase-rules-" + std::to_wstring(GetCurrentProcessId());
        m_file = m_folder + L"\\file.txt";
        ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
        HANDLE file =
            CreateFileW(m_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    void TearDown() override
    {
        DeleteFileW(m_file.c_str());
        RemoveDirectoryW(m_folder.c_str());
    }

    std::wstring m_folder;
    std::wstring m_file;
};

TEST_F(FolderOnDiskTest, OnlyAnExistingFolderIsAcceptable)
{
    EXPECT_TRUE(IsExistingFolder(m_folder));
    EXPECT_TRUE(IsAcceptableFolder(m_folder));
    EXPECT_FALSE(IsExistingFolder(m_file));
    EXPECT_FALSE(IsAcceptableFolder(m_file));
    EXPECT_FALSE(IsAcceptableFolder(m_folder + L"\\missing"));
    // The folder exists, the written form does not pass.
    EXPECT_TRUE(IsExistingFolder(m_folder + L"\\"));
    EXPECT_FALSE(IsAcceptableFolder(m_folder + L"\\"));
}
