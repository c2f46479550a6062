// Whole upload jobs on the test display: the job thread runs StartScheduler (or the Load
// button's job) against KivProxyServer, Kivlink and the simulated phone, while the test's
// thread watches the progress dialog and drives it with window messages.
#include "JobTestResources.h"
#include "MessageBoxRecorder.h"

#include "plugins/tunepane/Mp3Upload.h"
#include "plugins/tunepane/res/TunepaneResources.h"
#include "tests/TestTree.h"
#include "tests/kivlink_phone/ConnectedPhoneTest.h"
#include "tests/kivlink_volume2/VolumeFixture.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PumpedRun.h"
#include "tests/support/ScreenImage.h"
#include "tests/support/TestThread.h"
#include "ui/UniqueWindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>

using namespace tolv::tunepane;

namespace {

constexpr DWORD kJobTimeoutMs = 120000;
constexpr DWORD kDialogTimeoutMs = 60000;
constexpr wchar_t kProgressCaption[] = L"Copy MP3 to phone";
constexpr wchar_t kPhoneFolder[] = L"E:\\Mp3";
constexpr size_t kSlowFileBytes = 1536 * 1024;
constexpr int kFileShare = 100;
constexpr DWORD kPumpSliceMs = 20;
constexpr int kTextLength = 1024;

// The test's thread keeps pumping while it waits: the job sends to the Load button, which lives
// here.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    return PumpMessagesUntil(done, timeoutMs, kPumpSliceMs);
}

HWND ProgressDialog()
{
    return FindWindowW(L"#32770", kProgressCaption);
}

int BarPosition(HWND dialog)
{
    return static_cast<int>(SendDlgItemMessageW(dialog, TUNEPANE_IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
}

// The names of the phone folder's files, sorted.
std::vector<std::wstring> PhoneFiles()
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    const HANDLE search = FindFirstFileW((BackingPath(kPhoneFolder) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

long long PhoneFileSize(const wchar_t* name)
{
    return FileSizeOf(BackingPath(std::wstring(kPhoneFolder) + L"\\" + name));
}

// The page as the job sees it: settings set by the test, a Load button on the test's thread.
class FakeJobSite final : public IMp3JobSite {
public:
    FakeJobSite()
        : m_button(
              CreateWindowExW(0, L"BUTTON", L"Load", WS_OVERLAPPED, 0, 0, 80, 24, nullptr, nullptr, nullptr, nullptr))
    {
        settings.phonePath = L"\\Mp3";
    }

    Mp3Settings ReadSettings() override { return settings; }
    std::wstring LastTargetPath() const override { return kPhoneFolder; }
    HWND LoadButton() const override { return m_button.get(); }
    bool FrameworkConnected() const override { return true; }
    bool Disconnected() const override { return false; }

    Mp3Settings settings;

private:
    tolv::ui::unique_window m_button;
};

class UploadJobTest : public ConnectedPhoneTest {
protected:
    void SetUp() override
    {
        ASSERT_NE(JobResourceModule(), nullptr);
        RemoveTestTree(BackingPath(kPhoneFolder));
        // The page makes the phone folder; the job expects it.
        ASSERT_TRUE(CreateDirectoryW(BackingPath(kPhoneFolder).c_str(), nullptr));
        m_pc = TestFolder();
        m_job = CreateMp3Upload(m_site, JobTexts(), nullptr, JobResourceModule());
    }
    void TearDown() override
    {
        m_job.reset();
        RemoveTestTree(m_pc);
    }

    std::wstring PcFile(const std::wstring& relative, size_t bytes)
    {
        const std::wstring path = m_pc + L"\\" + relative;
        EXPECT_TRUE(WriteTestFile(path, bytes));
        return path;
    }

    // StartScheduler on a thread of its own while this thread pumps; its result.
    Mp3JobResult RunScheduledJob(const std::function<void()>& whileRunning = {}, bool isButton = false)
    {
        bool timedOut = false;
        const Mp3JobResult result =
            RunWhilePumping<Mp3JobResult>([&] { return m_job->StartScheduler(isButton); }, whileRunning, kJobTimeoutMs,
                                          kPumpSliceMs, kJobFailed, &timedOut);
        EXPECT_FALSE(timedOut);
        return result;
    }

    FakeJobSite m_site;
    std::wstring m_pc;
    std::unique_ptr<IMp3Upload> m_job;
};

}  // namespace

TEST_F(UploadJobTest, TheSelectionArrivesInThePhoneFolderAfterItsMp3FilesWereDeleted)
{
    ASSERT_TRUE(WriteTestFile(BackingPath(L"E:\\Mp3\\old.mp3"), 100));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"E:\\Mp3\\OLDER.MP3"), 100));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"E:\\Mp3\\notes.txt"), 100));
    PcFile(L"Music\\a.mp3", 3000);
    PcFile(L"Music\\Live\\b.mp3", 4000);
    PcFile(L"Music\\cover.jpg", 10);
    PcFile(L"More\\a.mp3", 5000);
    m_site.settings.rows = {{m_pc + L"\\Music", L"*.mp3"}, {m_pc + L"\\More", L"a.mp3"}};
    const MessageBoxRecorder boxes;

    EXPECT_EQ(RunScheduledJob(), kJobDoneOrNothingToDo);

    EXPECT_EQ(PhoneFiles(), (std::vector<std::wstring>{L"a(1).mp3", L"a.mp3", L"b.mp3", L"notes.txt"}));
    EXPECT_EQ(PhoneFileSize(L"a.mp3"), 3000);
    EXPECT_EQ(PhoneFileSize(L"a(1).mp3"), 5000);
    EXPECT_EQ(PhoneFileSize(L"b.mp3"), 4000);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(m_job->Running());
    EXPECT_TRUE(IsWindowEnabled(m_site.LoadButton()));
}

TEST_F(UploadJobTest, AFileAlreadyOnThePhoneUnderItsNameIsLeftAsItIs)
{
    ASSERT_TRUE(WriteTestFile(BackingPath(L"E:\\Mp3\\same.mp3"), 10));
    PcFile(L"Music\\same.mp3", 5000);
    PcFile(L"Music\\other.mp3", 6000);
    m_site.settings.rows = {{m_pc + L"\\Music", L"*.*"}};
    m_site.settings.deleteAll = 0;
    const MessageBoxRecorder boxes;

    EXPECT_EQ(RunScheduledJob(), kJobDoneOrNothingToDo);

    EXPECT_EQ(PhoneFiles(), (std::vector<std::wstring>{L"other.mp3", L"same.mp3"}));
    EXPECT_EQ(PhoneFileSize(L"same.mp3"), 10);
    EXPECT_EQ(PhoneFileSize(L"other.mp3"), 6000);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(UploadJobTest, NoMp3FilesOnThePcIsSaidAndEndsTheJob)
{
    PcFile(L"Music\\cover.jpg", 10);
    m_site.settings.rows = {{m_pc + L"\\Music", L"*.mp3"}};
    const MessageBoxRecorder boxes;

    EXPECT_EQ(RunScheduledJob(), kJobDoneOrNothingToDo);

    const std::vector<RecordedBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"No MP3s have been found");
    EXPECT_EQ(shown[0].caption, L"Your PC");
    EXPECT_EQ(ProgressDialog(), nullptr);
}

TEST_F(UploadJobTest, TheLoadButtonsJobUploadsOnItsOwnThreadToThePagesTargetPath)
{
    PcFile(L"Music\\load.mp3", 2000);
    m_site.settings.rows = {{m_pc + L"\\Music", L"*.mp3"}};
    const MessageBoxRecorder boxes;

    ASSERT_TRUE(m_job->StartDownload());
    EXPECT_TRUE(PumpUntil([&] { return !m_job->Running(); }, kJobTimeoutMs));

    EXPECT_EQ(PhoneFiles(), (std::vector<std::wstring>{L"load.mp3"}));
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(IsWindowEnabled(m_site.LoadButton()));
}

TEST_F(UploadJobTest, EscapeIsIgnoredWhileCopyingAndCancelStopsAfterTheCurrentFile)
{
    // A folder too deep for the dialog's text: its path is shown shortened.
    const std::wstring folder = L"Music\\A folder with a long name\\Another folder with a long name\\Albums";
    PcFile(folder + L"\\first.mp3", kSlowFileBytes);
    PcFile(folder + L"\\second.mp3", kSlowFileBytes);
    PcFile(folder + L"\\third.mp3", kSlowFileBytes);
    const std::wstring pcFolder = m_pc + L"\\" + folder;
    m_site.settings.rows = {{pcFolder, L"first.mp3"}, {pcFolder, L"second.mp3"}, {pcFolder, L"third.mp3"}};
    const MessageBoxRecorder boxes;
    const SlowPhone slow(L"512K");

    const Mp3JobResult result = RunScheduledJob([&] {
        HWND dialog = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (dialog = ProgressDialog()) != nullptr; }, kDialogTimeoutMs));
        EXPECT_TRUE(m_job->Running());
        EXPECT_FALSE(IsWindowEnabled(m_site.LoadButton()));
        // A second start is refused while the job runs, whoever asks.
        EXPECT_EQ(m_job->StartScheduler(false), kJobDoneOrNothingToDo);
        EXPECT_FALSE(m_job->StartDownload());

        // Escape goes through the dialog manager as the keyboard's would.
        PostMessageW(GetDlgItem(dialog, TUNEPANE_IDC_PROGRESS_CANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(PumpUntil([&] { return BarPosition(dialog) > 0; }, kDialogTimeoutMs));
        EXPECT_TRUE(IsWindow(dialog));
        EXPECT_TRUE(SaveScreenImage(ArtefactPath(L"tunepane-progress-dialog.png")));
        wchar_t text[kTextLength] = {};
        GetDlgItemTextW(dialog, TUNEPANE_IDC_PROGRESS_TEXT, text, kTextLength);
        const std::wstring shown = text;
        EXPECT_EQ(shown.substr(0, shown.find(L'\n')), L"Copy from PC:");
        EXPECT_NE(shown.find(L"\n\rC:...", 0), std::wstring::npos) << shown;
        EXPECT_NE(shown.find(L"Albums\\first.mp3\n\rto the device:\n\rE:\\Mp3\\first.mp3"), std::wstring::npos)
            << shown;

        // Once the second file is on its way, Cancel aborts it and the third never starts.
        ASSERT_TRUE(PumpUntil([&] { return BarPosition(dialog) >= kFileShare; }, kDialogTimeoutMs));
        EXPECT_LT(BarPosition(dialog), 2 * kFileShare);
        SendDlgItemMessageW(dialog, TUNEPANE_IDC_PROGRESS_CANCEL, BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, TUNEPANE_IDC_PROGRESS_CANCEL)));
    });

    EXPECT_EQ(result, kJobCancelled);
    EXPECT_EQ(PhoneFiles(), (std::vector<std::wstring>{L"first.mp3"}));
    EXPECT_EQ(PhoneFileSize(L"first.mp3"), static_cast<long long>(kSlowFileBytes));
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(ProgressDialog(), nullptr);
    EXPECT_FALSE(m_job->Running());
}

TEST_F(UploadJobTest, WithoutAPhoneTheToolButtonsJobSaysSoAndFails)
{
    PcFile(L"Music\\a.mp3", 2000);
    m_site.settings.rows = {{m_pc + L"\\Music", L"*.mp3"}};
    const MessageBoxRecorder boxes;
    ASSERT_EQ(DisconnectPhones(), 0);

    const Mp3JobResult result = RunScheduledJob({}, true);
    EXPECT_EQ(ConnectPhone(), 0);

    EXPECT_EQ(result, kJobFailed);
    const std::vector<RecordedBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"The phone call was disconnected");
    EXPECT_EQ(shown[0].caption, L"Copy MP3 to phone");
    // The "loading" window the tool button's job showed is gone again.
    EXPECT_EQ(FindWindowW(L"#32770", L"MP3"), nullptr);
    EXPECT_TRUE(PhoneFiles().empty());
    EXPECT_TRUE(IsWindowEnabled(m_site.LoadButton()));
}
