// The separate language modules: their names, where they are looked for and in which order,
// and a reader left without a module when none is found.
#include <gtest/gtest.h>

#include "resources/LanguageModuleSearch.h"
#include "resources/ResourceReader.h"
#include "tests/TestTree.h"
#include "tests/resources/TestTextIds.h"
#include "tests/resources/TestTextsModule.h"
#include "tests/support/RegistryValueGuard.h"

using tolv::resources::LanguageModuleName;

namespace {

constexpr LANGID kGerman = 1031;
constexpr wchar_t kComponent[] = L"C:\\Suite\\Bin\\Sample.exe";

// A fresh folder that is the current one for the test, and the installation folder set to
// one below it; both are put back at the end.
class LanguageModuleSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(TestTextsModule(), nullptr);
        GetCurrentDirectoryW(MAX_PATH, m_previous);
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_root = std::wstring(temp) + L"PellaryLanguageModules" + std::to_wstring(GetCurrentProcessId());
        // Wine hands out process ids again soon: an earlier run's modules must not be found.
        RemoveTestTree(m_root);
        for (const std::wstring& folder : {m_root, m_root + L"\\Languages", Installation(), Installation() + L"\\Bin",
                                           Installation() + L"\\Bin\\Languages"}) {
            CreateDirectoryW(folder.c_str(), nullptr);
        }
        ASSERT_TRUE(SetCurrentDirectoryW(m_root.c_str()));
        m_installation.SetString(Installation().c_str());
    }

    void TearDown() override
    {
        SetCurrentDirectoryW(m_previous);
        RemoveTestTree(m_root);
    }

    std::wstring Installation() const { return m_root + L"\\Installed"; }

    // A copy of the test texts at `relativePath` below the current folder; its full path.
    std::wstring Place(const std::wstring& relativePath)
    {
        const std::wstring path = m_root + L"\\" + relativePath;
        EXPECT_TRUE(CopyFileW(TestTextsPath().c_str(), path.c_str(), FALSE)) << relativePath;
        return path;
    }

    CRegistryValueGuard m_installation{HKEY_LOCAL_MACHINE, L"Software\\Vostrel\\Pellary", L"InstallationPath"};
    wchar_t m_previous[MAX_PATH] = {};
    std::wstring m_root;
};

}  // namespace

TEST(LanguageModuleNames, AreTheModulesNameWithoutExtensionAndTheLanguagesCode)
{
    EXPECT_EQ(LanguageModuleName(L"C:\\Suite\\TolvScheduler.exe", kGerman), L"TolvSchedulerDE_DE");
    EXPECT_EQ(LanguageModuleName(L"C:\\Suite\\Tunepane.dll", 2052), L"TunepaneZH_CN");
    EXPECT_EQ(LanguageModuleName(L"C:\\Suite.1\\Photo.pane.dll", 3084), L"Photo.paneFR_CA");
    EXPECT_EQ(LanguageModuleName(L"Taskpane.dll", 1041), L"TaskpaneEN_US");
    EXPECT_EQ(LanguageModuleName(L"C:\\Suite\\NoExtension", kGerman), L"DE_DE");
}

TEST_F(LanguageModuleSearch, TheLanguagesFolderComesBeforeTheInstallationFolder)
{
    const std::wstring first = Place(L"Languages\\SampleDE_DE.DLR");
    Place(L"Installed\\Bin\\Languages\\SampleDE_DE.DLR");
    {
        CResourceReader reader(nullptr);
        ASSERT_TRUE(reader.LoadLanguageModule(kComponent, kGerman));
        EXPECT_EQ(reader.LanguageModulePath(), L".\\Languages\\SampleDE_DE.DLR");
        EXPECT_EQ(reader.Language(), kGerman);
        EXPECT_NE(reader.Module(), nullptr);
        // German has no table in the module: the neutral texts answer.
        EXPECT_EQ(reader.LoadString(kGreeting), "Neutral greeting");
        // Found in the current folder's reach, its code is not run.
        wchar_t attached[MAX_PATH] = {};
        GetEnvironmentVariableW(kLastAttachedVariable, attached, MAX_PATH);
        EXPECT_EQ(std::wstring(attached).find(L"SampleDE_DE"), std::wstring::npos) << attached;
    }
    ASSERT_TRUE(DeleteFileW(first.c_str()));
    CResourceReader reader(nullptr);
    ASSERT_TRUE(reader.LoadLanguageModule(kComponent, kGerman));
    EXPECT_EQ(reader.LanguageModulePath(), Installation() + L"\\Bin\\Languages\\SampleDE_DE.DLR");
}

TEST_F(LanguageModuleSearch, TheCurrentFolderComesFirstAndADlrBeforeADll)
{
    Place(L"Languages\\SampleDE_DE.DLR");
    Place(L"SampleDE_DE.DLL");
    CResourceReader reader(nullptr);
    ASSERT_TRUE(reader.LoadLanguageModule(kComponent, kGerman));
    EXPECT_EQ(reader.LanguageModulePath(), L".\\SampleDE_DE.DLL");

    Place(L"SampleDE_DE.DLR");
    ASSERT_TRUE(reader.LoadLanguageModule(kComponent, kGerman));
    EXPECT_EQ(reader.LanguageModulePath(), L".\\SampleDE_DE.DLR");
}

TEST_F(LanguageModuleSearch, NoModuleAnywhereAnswersFalseAndLeavesTheReaderWithoutOne)
{
    const std::wstring english = Place(L"Languages\\SampleEN_US.DLL");
    CResourceReader reader(TestTextsModule());
    ASSERT_TRUE(reader.LoadLanguageModule(kComponent, 1033));
    EXPECT_EQ(reader.LoadString(kGreeting), "Hello");

    EXPECT_FALSE(reader.LoadLanguageModule(kComponent, kGerman));
    EXPECT_EQ(reader.Module(), nullptr);
    EXPECT_EQ(reader.LanguageModulePath(), L"");
    // The module loaded before is freed, and the process's own texts are not read instead.
    EXPECT_TRUE(DeleteFileW(english.c_str()));
    EXPECT_EQ(reader.LoadString(kGreeting), "");
    EXPECT_FALSE(reader.LoadMenu(kTestMenu));
}

TEST_F(LanguageModuleSearch, WithoutAnInstallationFolderOnlyTheRelativeFoldersAreTried)
{
    m_installation.Remove();
    EXPECT_EQ(tolv::resources::InstallationFolder(), L"");
    const auto candidates = tolv::resources::LanguageModuleCandidates(L"SampleDE_DE", L"");
    for (const std::wstring& candidate : candidates) {
        EXPECT_EQ(candidate.rfind(L".\\", 0), 0u) << candidate;
    }
}
