// Long operations seen from a client: blocked and unblocked ends, progress, completion and
// cancel through the connection point.
#include "VolumeFixture.h"

#include "tests/kivlink_phone/PhoneSimulator.h"

#include <oleauto.h>

namespace {

HRESULT Format(IKivVolume2* volume, const wchar_t* drive, long flags)
{
    BSTR name = SysAllocString(drive);
    HRESULT hr = volume->FormatDrive(name, flags);
    SysFreeString(name);
    return hr;
}

HRESULT Backup(IKivVolume2* volume, const std::wstring& pcFile, const wchar_t* drive, long flags, bool restore = false)
{
    BSTR path = SysAllocString(pcFile.c_str());
    BSTR name = SysAllocString(drive);
    HRESULT hr = restore ? volume->RestoreDrive(path, name, flags) : volume->BackupDrive(path, name, flags);
    SysFreeString(path);
    SysFreeString(name);
    return hr;
}

// Slows the simulator's transfers down for one test.
class SlowPhone {
public:
    explicit SlowPhone(const wchar_t* rate) { EXPECT_EQ(RunPhoneSim(std::wstring(L"rate ") + rate), 0); }
    ~SlowPhone() { RunPhoneSim(L"rate 0"); }
};

}  // namespace

TEST_F(VolumeTest, AnUnblockedFormatReturnsAtOnceAndCompletesByEvent)
{
    RecordingSink& sink = AdvisedSink();
    ASSERT_TRUE(WriteTestFile(BackingPath(L"E:\\Old\\file.bin"), 1000));
    HRESULT hr = Format(m_volume.get(), L"E:", 0);
    ASSERT_EQ(hr, S_OK);
    ASSERT_TRUE(sink.WaitFor(EVENT_COMPLETION, 30000));
    std::vector<ReceivedEvent> completions = sink.EventsOf(EVENT_COMPLETION);
    ASSERT_EQ(completions.size(), 1u);
    EXPECT_EQ(completions[0].action, aidFormat);
    EXPECT_EQ(completions[0].path, L"E:");
    EXPECT_EQ(completions[0].value, S_OK);
    EXPECT_FALSE(sink.EventsOf(EVENT_PROGRESS).empty());
    EXPECT_FALSE(FileExists(BackingPath(L"E:\\Old\\file.bin")));

    EXPECT_EQ(Format(m_volume.get(), L"E:\\Old", eBlocked), E_INVALIDARG);
    EXPECT_EQ(Format(m_volume.get(), L"Q:", eBlocked), E_INVALIDARG);
}

TEST_F(VolumeTest, ABlockedBackupAndRestoreSendProgressButNoCompletion)
{
    RecordingSink& sink = AdvisedSink();
    ASSERT_TRUE(WriteTestFile(BackingPath(L"E:\\Keep\\data.bin"), 200000));
    const std::wstring archive = TestFolder() + L"\\card.bak";
    ASSERT_EQ(Backup(m_volume.get(), archive, L"E:", eBlocked), S_OK);
    EXPECT_TRUE(FileExists(archive));
    ASSERT_TRUE(DeleteFileW(BackingPath(L"E:\\Keep\\data.bin").c_str()));
    ASSERT_EQ(Backup(m_volume.get(), archive, L"E:", eBlocked, true), S_OK);
    EXPECT_EQ(FileSizeOf(BackingPath(L"E:\\Keep\\data.bin")), 200000);
    EXPECT_TRUE(sink.WaitFor(EVENT_PROGRESS, 10000, aidRestore));

    std::vector<ReceivedEvent> progress = sink.EventsOf(EVENT_PROGRESS);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front().action, aidBackup);
    EXPECT_EQ(progress.front().path, L"E:");
    EXPECT_EQ(progress.back().action, aidRestore);
    EXPECT_TRUE(sink.EventsOf(EVENT_COMPLETION).empty());

    EXPECT_EQ(Backup(m_volume.get(), archive, L"E:\\Keep", eBlocked), E_INVALIDARG);
    EXPECT_EQ(Backup(m_volume.get(), archive, L"Q:", eBlocked), KIV_E_DRIVENOTFOUND);
}

TEST_F(VolumeTest, OneSinkOfTwoAskingToCancelStopsTheOperation)
{
    RecordingSink& watcher = AdvisedSink();
    RecordingSink& canceller = AdvisedSink();
    canceller.CancelAtPercentage(1);
    ASSERT_TRUE(WriteTestFile(BackingPath(L"E:\\Big\\big.bin"), 4 * 1024 * 1024));
    const std::wstring archive = TestFolder() + L"\\cancelled.bak";
    SlowPhone slow(L"1M");
    EXPECT_EQ(Backup(m_volume.get(), archive, L"E:", eBlocked), E_ABORT);
    EXPECT_FALSE(watcher.EventsOf(EVENT_PROGRESS).empty());
    EXPECT_FALSE(FileExists(archive));
}

TEST_F(VolumeTest, AnObjectWithoutSinksStillEndsItsUnblockedOperation)
{
    ASSERT_EQ(Format(m_volume.get(), L"E:", 0), S_OK);
    // The object goes at once; the operation's reference keeps it until the completion.
    m_volume = nullptr;
    tolv::com::com_ptr<IKivVolume2> next;
    ASSERT_EQ(CoCreateInstance(CLSID_KivVolume2, nullptr, CLSCTX_LOCAL_SERVER, IID_IKivVolume2, next.put_void()), S_OK);
    BSTR drives = nullptr;
    EXPECT_EQ(next->ListDrives(&drives), S_OK);
    EXPECT_EQ(Text(drives), L"C:,E:,");
}
