// Whole photo downloads on the test display: the job thread runs StartScheduler (or the
// "Download START" button's job) against KivProxyServer, Kivlink and the simulated phone, while
// the test's thread watches the progress dialog and drives it with window messages.
#include "PhotoJobTestSupport.h"

#include "plugins/photopane/PhotoDownload.h"
#include "plugins/photopane/res/PhotopaneResources.h"
#include "tests/TestTree.h"
#include "tests/kivlink_phone/ConnectedPhoneTest.h"
#include "tests/kivlink_volume2/VolumeFixture.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PumpedRun.h"
#include "tests/support/ScreenImage.h"
#include "tests/support/TestThread.h"
#include "tests/tunepane_job/MessageBoxRecorder.h"
#include "ui/UniqueWindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

using namespace tolv::photopane;
using tolv::plugins::kJobCancelled;
using tolv::plugins::kJobDoneOrNothingToDo;
using tolv::plugins::kJobFailed;
using tolv::plugins::TransferJobResult;

namespace {

constexpr DWORD kJobTimeoutMs = 120000;
constexpr DWORD kDialogTimeoutMs = 60000;
constexpr DWORD kPumpSliceMs = 20;
constexpr wchar_t kProgressCaption[] = L"Copy photos to PC";
constexpr wchar_t kCardFolder[] = L"E:\\Images";
constexpr wchar_t kPhoneMemoryFolder[] = L"C:\\Nokia\\Images";
constexpr size_t kPhotoBytes = 3000;
constexpr size_t kSlowPhotoBytes = 1536 * 1024;
constexpr int kFileShare = 100;
constexpr int kTextLength = 1024;
constexpr int kChosen = 1;

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
    return static_cast<int>(SendDlgItemMessageW(dialog, PHOTOPANE_IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
}

bool PhonePhoto(const std::wstring& phonePath, size_t bytes = kPhotoBytes, const FILETIME* written = nullptr)
{
    return WriteTestFile(BackingPath(phonePath), bytes, written);
}

// The page as the job sees it: settings set by the test, a button on the test's thread.
class FakeJobSite final : public IPhotoJobSite {
public:
    FakeJobSite()
        : m_button(CreateWindowExW(0, L"BUTTON", L"Download START", WS_OVERLAPPED, 0, 0, 80, 24, nullptr, nullptr,
                                   nullptr, nullptr))
    {
    }

    PhotoSettings ReadSettings() override { return settings; }
    std::wstring LastPhoneFolder() const override { return kCardFolder; }
    HWND DownloadButton() const override { return m_button.get(); }
    bool FrameworkConnected() const override { return true; }
    bool Disconnected() const override { return false; }

    PhotoSettings settings;

private:
    tolv::ui::unique_window m_button;
};

class DownloadJobTest : public ConnectedPhoneTest {
protected:
    void SetUp() override
    {
        for (const wchar_t* folder : {kCardFolder, kPhoneMemoryFolder, L"E:\\Trip"})
            RemoveTestTree(BackingPath(folder));
        ASSERT_TRUE(CreateDirectoryW(BackingPath(kCardFolder).c_str(), nullptr));
        m_pc = TestFolder();
        m_site.settings.pcFolder = m_pc;
        m_job = CreatePhotoDownload(m_site, TestTexts(), nullptr, TestResources());
    }
    void TearDown() override
    {
        m_job.reset();
        RemoveTestTree(m_pc);
    }

    // StartScheduler on a thread of its own while this thread pumps; its result.
    TransferJobResult RunScheduledJob(const std::function<void()>& whileRunning = {}, bool isButton = false)
    {
        bool timedOut = false;
        const TransferJobResult result =
            RunWhilePumping<TransferJobResult>([&] { return m_job->StartScheduler(isButton); }, whileRunning,
                                               kJobTimeoutMs, kPumpSliceMs, kJobFailed, &timedOut);
        EXPECT_FALSE(timedOut);
        return result;
    }

    FakeJobSite m_site;
    std::wstring m_pc;
    std::unique_ptr<IPhotoDownload> m_job;
};

}  // namespace

TEST_F(DownloadJobTest, WithoutAPhoneFolderTheCardsImagesComeOverAndOnlyJpgCounts)
{
    ASSERT_TRUE(PhonePhoto(L"E:\\Images\\a.JPG"));
    ASSERT_TRUE(PhonePhoto(L"E:\\Images\\b.jpg", 4000));
    ASSERT_TRUE(PhonePhoto(L"E:\\Images\\c.jpeg"));
    ASSERT_TRUE(PhonePhoto(L"E:\\Images\\d.JPE"));
    const MessageBoxRecorder boxes;

    EXPECT_EQ(RunScheduledJob({}, true), kJobDoneOrNothingToDo);

    EXPECT_EQ(FolderFiles(m_pc), (std::vector<std::wstring>{L"a.JPG", L"b.jpg"}));
    EXPECT_EQ(FileSizeOf(m_pc + L"\\b.jpg"), 4000);
    // Leave the originals: the phone keeps everything.
    EXPECT_EQ(FolderFiles(BackingPath(kCardFolder)).size(), 4u);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(m_job->Running());
    EXPECT_TRUE(IsWindowEnabled(m_site.DownloadButton()));
    // The "downloading" window of the tool button's job is gone again.
    EXPECT_EQ(FindWindowW(L"#32770", L"Photos"), nullptr);
}

TEST_F(DownloadJobTest, APhoneWithoutCardGivesItsPhotosFromTheNokiaImagesFolder)
{
    ASSERT_EQ(DisconnectPhones(), 0);
    ASSERT_EQ(ConnectPhone(L"--no-card"), 0);
    ASSERT_TRUE(PhonePhoto(L"C:\\Nokia\\Images\\memory.jpg"));
    const MessageBoxRecorder boxes;

    const TransferJobResult result = RunScheduledJob();
    EXPECT_EQ(DisconnectPhones(), 0);
    EXPECT_EQ(ConnectPhone(), 0);

    EXPECT_EQ(result, kJobDoneOrNothingToDo);
    EXPECT_EQ(FolderFiles(m_pc), std::vector<std::wstring>{L"memory.jpg"});
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DownloadJobTest, AFolderWithOnlyOtherPictureEndingsHasNoPhotos)
{
    ASSERT_TRUE(PhonePhoto(L"E:\\Images\\c.jpeg"));
    ASSERT_TRUE(PhonePhoto(L"E:\\Images\\d.JPE"));
    const MessageBoxRecorder boxes;

    EXPECT_EQ(RunScheduledJob(), kJobDoneOrNothingToDo);

    const std::vector<RecordedBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"No photos were found");
    EXPECT_EQ(shown[0].caption, L"Your PC");
    EXPECT_EQ(shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_TRUE(FolderFiles(m_pc).empty());
    EXPECT_EQ(ProgressDialog(), nullptr);
}

TEST_F(DownloadJobTest, AMissingPhoneFolderIsSaidOnceAndEndsTheJobQuietly)
{
    m_site.settings.phoneFolder = L"E:\\Trip";
    const MessageBoxRecorder boxes;

    EXPECT_EQ(RunScheduledJob(), kJobDoneOrNothingToDo);

    const std::vector<RecordedBox> shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"Photo index on mobile not found");
    EXPECT_EQ(shown[0].caption, L"Copy photos to PC");
    EXPECT_TRUE(FolderFiles(m_pc).empty());
    EXPECT_FALSE(m_job->Running());
}

TEST_F(DownloadJobTest, DoNotOverwriteKeepsThePcFilesAndStoresADifferentPhotoUnderANewName)
{
    FILETIME taken{};
    GetSystemTimeAsFileTime(&taken);
    ASSERT_TRUE(PhonePhoto(L"E:\\Images\\different.jpg", 5000));
    ASSERT_TRUE(PhonePhoto(L"E:\\Images\\same.jpg", kPhotoBytes, &taken));
    ASSERT_TRUE(PhonePhoto(L"E:\\Images\\zlast.jpg"));
    ASSERT_TRUE(WriteTestFile(m_pc + L"\\different.jpg", 10));
    ASSERT_TRUE(WriteTestFile(m_pc + L"\\same.jpg", kPhotoBytes, &taken));
    m_site.settings.pcOverwrite = kChosen;
    const MessageBoxRecorder boxes;

    EXPECT_EQ(RunScheduledJob(), kJobDoneOrNothingToDo);

    const std::vector<std::wstring> files = FolderFiles(m_pc);
    ASSERT_EQ(files.size(), 4u) << "the different photo under a name of its own, the identical one not again";
    EXPECT_EQ(FileSizeOf(m_pc + L"\\different.jpg"), 10);
    EXPECT_EQ(FileSizeOf(m_pc + L"\\same.jpg"), static_cast<long long>(kPhotoBytes));
    // The identical photo was refused by the server, and the job went on after it.
    EXPECT_EQ(FileSizeOf(m_pc + L"\\zlast.jpg"), static_cast<long long>(kPhotoBytes));
    long long renamedSize = -1;
    for (const std::wstring& name : files)
        if (name != L"different.jpg" && name != L"same.jpg" && name != L"zlast.jpg")
            renamedSize = FileSizeOf(m_pc + L"\\" + name);
    EXPECT_EQ(renamedSize, 5000);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DownloadJobTest, DeleteOriginalsAndCancelAfterThreePhotosMovesExactlyThoseThree)
{
    const std::vector<std::wstring> names{L"p1.jpg", L"p2.jpg", L"p3.jpg", L"p4.jpg", L"p5.jpg"};
    for (const std::wstring& name : names)
        ASSERT_TRUE(PhonePhoto(std::wstring(kCardFolder) + L"\\" + name, kSlowPhotoBytes));
    m_site.settings.keepOnDevice = kChosen;
    const MessageBoxRecorder boxes;
    const SlowPhone slow(L"2M");

    const TransferJobResult result = RunScheduledJob([&] {
        HWND dialog = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (dialog = ProgressDialog()) != nullptr; }, kDialogTimeoutMs));
        EXPECT_TRUE(m_job->Running());
        EXPECT_FALSE(IsWindowEnabled(m_site.DownloadButton()));
        EXPECT_EQ(m_job->StartScheduler(false), kJobDoneOrNothingToDo);
        EXPECT_FALSE(m_job->StartDownload());

        // Escape goes through the dialog manager as the keyboard's would, and is ignored.
        PostMessageW(GetDlgItem(dialog, PHOTOPANE_IDC_PROGRESS_CANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(PumpUntil([&] { return BarPosition(dialog) > 0; }, kDialogTimeoutMs));
        EXPECT_TRUE(IsWindow(dialog));
        wchar_t text[kTextLength] = {};
        GetDlgItemTextW(dialog, PHOTOPANE_IDC_PROGRESS_TEXT, text, kTextLength);
        EXPECT_EQ(std::wstring(text), L"Copy from phone:\n\rE:\\Images\\p1.jpg\n\rTo PC\n\r" + m_pc);
        EXPECT_TRUE(SaveScreenImage(ArtefactPath(L"photopane-progress-dialog.png")));

        // Once the fourth photo is on its way, Cancel aborts it and the fifth never starts.
        ASSERT_TRUE(PumpUntil([&] { return BarPosition(dialog) >= 3 * kFileShare; }, kDialogTimeoutMs));
        SendDlgItemMessageW(dialog, PHOTOPANE_IDC_PROGRESS_CANCEL, BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, PHOTOPANE_IDC_PROGRESS_CANCEL)));
    });

    EXPECT_EQ(result, kJobCancelled);
    EXPECT_EQ(FolderFiles(m_pc), (std::vector<std::wstring>{L"p1.jpg", L"p2.jpg", L"p3.jpg"}));
    EXPECT_EQ(FolderFiles(BackingPath(kCardFolder)), (std::vector<std::wstring>{L"p4.jpg", L"p5.jpg"}));
    EXPECT_EQ(FileSizeOf(BackingPath(L"E:\\Images\\p4.jpg")), static_cast<long long>(kSlowPhotoBytes));
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(ProgressDialog(), nullptr);
}

TEST_F(DownloadJobTest, TheButtonsJobRefusesAPcFolderThatIsGoneAndElseTakesThePagesPhoneFolder)
{
    ASSERT_TRUE(PhonePhoto(L"E:\\Images\\button.jpg"));
    const std::wstring gone = m_pc + L"\\gone";
    m_site.settings.pcFolder = gone;
    {
        const MessageBoxRecorder boxes;
        ASSERT_TRUE(m_job->StartDownload());
        EXPECT_TRUE(PumpUntil([&] { return !m_job->Running(); }, kJobTimeoutMs));
        const std::vector<RecordedBox> shown = boxes.Boxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, gone + L" - The path is invalid");
        EXPECT_EQ(shown[0].caption, L"Your PC");
    }

    m_site.settings.pcFolder = m_pc;
    // The setting's folder does not count: the page's refresh decided.
    m_site.settings.phoneFolder = L"E:\\Trip";
    const MessageBoxRecorder boxes;
    ASSERT_TRUE(m_job->StartDownload());
    EXPECT_TRUE(PumpUntil([&] { return !m_job->Running(); }, kJobTimeoutMs));
    EXPECT_EQ(FolderFiles(m_pc), std::vector<std::wstring>{L"button.jpg"});
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(IsWindowEnabled(m_site.DownloadButton()));
}
