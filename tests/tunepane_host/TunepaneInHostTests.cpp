// PellaryHost.exe with the registered Tunepane.dll and the simulated Tamlo phone: the press of
// "MP3 > Phone" empties the card's MP3 folder, uploads the user's selection with the progress
// dialog, and the host refuses to close until the upload is over.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/TestTree.h"
#include "platform/host/HostProtocol.h"
#include "tests/host/HostTestBench.h"
#include "tests/kivlink_phone/PhoneSimulator.h"
#include "tests/pagebase/PageTestHelpers.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/ScreenImage.h"

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kProfile[] = L"Tunepane.INI";
constexpr wchar_t kCaption[] = L"Copy MP3 to phone";
constexpr DWORD kPhoneEndMs = 30000;
constexpr DWORD kUploadMs = 120000;
constexpr size_t kSongBytes = 300000;
constexpr int kCloseAttempts = 20;
constexpr DWORD kCloseAttemptMs = 3000;

std::wstring LoginName()
{
    wchar_t name[257] = {};
    DWORD size = static_cast<DWORD>(std::size(name));
    GetUserNameW(name, &size);
    return name;
}

void WriteFile(const fs::path& path, size_t bytes, char fill)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << std::string(bytes, fill);
}

// The user's Tunepane sections in the real profile, for the length of a test.
class CMp3SelectionProfile {
public:
    explicit CMp3SelectionProfile(const std::wstring& folder) : m_user(LoginName())
    {
        Write(L"_Tunepane", L"PhonePath", L"\\Mp3");
        Write(L"_Tunepane", L"MemoryToFill", L"10");
        Write(L"_Tunepane", L"RandomSelektionOnCopy", L"0");
        Write(L"_Tunepane", L"DeleteAllForCopy", L"1");
        Write(L"_Mp3DataCount", L"Count", L"1");
        Write(L"_Mp3Path", L"1", folder.c_str());
        Write(L"_Mp3Data", L"1", L"*.mp3");
    }
    ~CMp3SelectionProfile()
    {
        for (const wchar_t* section : {L"_Tunepane", L"_Mp3DataCount", L"_Mp3Path", L"_Mp3Data"})
            WritePrivateProfileStringW((m_user + section).c_str(), nullptr, nullptr, kProfile);
    }
    CMp3SelectionProfile(const CMp3SelectionProfile&) = delete;
    CMp3SelectionProfile& operator=(const CMp3SelectionProfile&) = delete;

private:
    void Write(const wchar_t* section, const wchar_t* key, const wchar_t* value)
    {
        WritePrivateProfileStringW((m_user + section).c_str(), key, value, kProfile);
    }

    std::wstring m_user;
};

// The progress dialog: the dialog with the upload's caption that is not a message box.
HWND ProgressDialog()
{
    HWND found = nullptr;
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            wchar_t title[64] = {};
            GetWindowTextW(window, title, static_cast<int>(std::size(title)));
            if (IsWindowVisible(window) && std::wstring(title) == kCaption && !GetDlgItem(window, 0xFFFF)) {
                *reinterpret_cast<HWND*>(parameter) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

class TunepaneInHostTest : public ::testing::Test {
protected:
    static void TearDownTestSuite()
    {
        EXPECT_TRUE(EndPhoneSim(kPhoneEndMs));
        WaitUntilGone(L"Kivlink.exe", kPhoneEndMs);
    }
    void SetUp() override
    {
        ASSERT_EQ(FindWindowW(L"#32770", host::kHostWindowTitle), nullptr) << "a host is still open";
        m_pc = fs::temp_directory_path() / L"tunepane-host-test";
        RemoveTestTree(m_pc.wstring());
        for (const wchar_t* song : {L"intro.mp3", L"theme.MP3", L"finale.mp3"})
            WriteFile(m_pc / L"Album" / song, kSongBytes, 'm');
        WriteFile(m_pc / L"Album" / L"cover.jpg", 1000, 'j');
        // A phone left by another program would keep its own folders.
        DisconnectPhones();
        ASSERT_EQ(ConnectPhone(), 0);
        m_card = fs::path(PhoneSimRoot()) / kSimulatedPhone / L"E" / L"Mp3";
        WriteFile(m_card / L"old.mp3", 1000, 'o');
        // Slow enough to act while the upload runs.
        ASSERT_EQ(RunPhoneSim(L"rate 100K"), 0);
    }
    void TearDown() override
    {
        RunPhoneSim(L"rate 0");
        DisconnectPhones();
        RemoveTestTree(m_pc.wstring());
    }

    fs::path m_pc;
    fs::path m_card;
};

TEST_F(TunepaneInHostTest, ThePressUploadsTheSelectionAfterEmptyingTheCardAndTheHostWaitsForIt)
{
    CMp3SelectionProfile profile(m_pc.wstring());
    CMessageBoxWatcher boxes(kCaption);
    CHostProcess host(L"--page Tunepane --press Tunepane");
    ASSERT_NE(host.WaitForWindow(), nullptr) << host.Process().Output();

    HWND progress = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (progress = ProgressDialog()) != nullptr; })) << host.Process().Output();
    LetWindowSettle(progress);
    EXPECT_TRUE(SaveScreenImage(ArtefactPath(L"tunepane-in-host-progress.png")));

    // Closing while the upload runs is refused, with the plug-in's word for it.
    PostMessageW(host.Window(), WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(boxes.WaitForBoxes(1, 10000));
    EXPECT_EQ(boxes.Texts()[0], L"Process not locked.\nThe application can not be closed.");
    EXPECT_TRUE(IsWindow(host.Window()));

    const ULONGLONG end = GetTickCount64() + kUploadMs;
    while (ProgressDialog() != nullptr && GetTickCount64() < end)
        Sleep(200);
    ASSERT_EQ(ProgressDialog(), nullptr) << "the upload did not end";

    EXPECT_FALSE(fs::exists(m_card / L"old.mp3"));
    for (const wchar_t* song : {L"intro.mp3", L"theme.MP3", L"finale.mp3"}) {
        ASSERT_TRUE(fs::exists(m_card / song)) << fs::path(song).string();
        EXPECT_EQ(fs::file_size(m_card / song), kSongBytes);
    }
    EXPECT_FALSE(fs::exists(m_card / L"cover.jpg"));

    // The job ends a moment after its dialog; until then a close is refused again, after it
    // the host closes.
    long exitCode = CChildProcess::kStillRunning;
    for (int attempt = 0; attempt < kCloseAttempts && exitCode == CChildProcess::kStillRunning; ++attempt) {
        PostMessageW(host.Window(), WM_COMMAND, IDCANCEL, 0);
        exitCode = host.Process().Wait(kCloseAttemptMs);
    }
    EXPECT_EQ(exitCode, host::kExitClosed) << host.Process().Output();
    for (const std::wstring& text : boxes.Texts())
        EXPECT_EQ(text, L"Process not locked.\nThe application can not be closed.");
}
