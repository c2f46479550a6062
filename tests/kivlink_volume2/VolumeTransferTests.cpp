// Copies between PC and phone through IKivVolume2.
#include "VolumeFixture.h"

#include "tests/kivlink_phone/PhoneSimulator.h"

#include <oleauto.h>

namespace {

enum class Direction { ToPhone, ToPC };

HRESULT Copy(IKivVolume2* volume, Direction direction, const std::wstring& source, const std::wstring& target,
             long flags)
{
    BSTR from = SysAllocString(source.c_str());
    BSTR to = SysAllocString(target.c_str());
    HRESULT hr =
        direction == Direction::ToPhone ? volume->CopyFromPC(from, to, flags) : volume->CopyToPC(from, to, flags);
    SysFreeString(from);
    SysFreeString(to);
    return hr;
}

// A moment in whole seconds, as the phone keeps dates.
FILETIME Moment(WORD day)
{
    SYSTEMTIME time = {2025, 3, 0, day, 10, 20, 30, 0};
    FILETIME moment;
    SystemTimeToFileTime(&time, &moment);
    return moment;
}

// A PC file whose creation time (what the differs test reads) is `moment`.
bool WritePcFile(const std::wstring& path, size_t size, const FILETIME& moment)
{
    if (!WriteTestFile(path, size))
        return false;
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BOOL set = SetFileTime(file, &moment, nullptr, &moment);
    CloseHandle(file);
    return set != FALSE;
}

class Fault {
public:
    explicit Fault(const std::wstring& verb) { EXPECT_EQ(RunPhoneSim(L"fault " + verb), 0); }
    ~Fault() { RunPhoneSim(L"fault clear"); }
};

class Rate {
public:
    explicit Rate(const wchar_t* rate) { EXPECT_EQ(RunPhoneSim(std::wstring(L"rate ") + rate), 0); }
    ~Rate() { RunPhoneSim(L"rate 0"); }
};

std::wstring TempPath(const wchar_t* name)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name;
}

}  // namespace

TEST_F(VolumeTest, AnExistingPhoneFileIsKeptReplacedOrRefusedByTheFlags)
{
    const std::wstring pc = TestFolder();
    ASSERT_TRUE(WritePcFile(pc + L"\\a.mp3", 5000, Moment(1)));
    // A different file of the same name on the phone.
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Music\\a.mp3"), 4000));
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\a.mp3", L"C:\\Music\\", eBlocked | eLeaveIfDifferent),
              S_OK);
    EXPECT_EQ(FileSizeOf(BackingPath(L"C:\\Music\\a (0).mp3")), 5000);
    EXPECT_EQ(FileSizeOf(BackingPath(L"C:\\Music\\a.mp3")), 4000);

    // The same date and size: eNoOverwrite refuses, no flag replaces.
    const FILETIME same = Moment(2);
    ASSERT_TRUE(WritePcFile(pc + L"\\b.mp3", 3000, same));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Music\\b.mp3"), 3000, &same));
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\b.mp3", L"C:\\Music\\b.mp3",
                   eBlocked | eLeaveIfDifferent | eNoOverwrite),
              KIV_E_FILEEXISTSALREADY);
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\b.mp3", L"C:\\Music\\b.mp3", eBlocked | eNoOverwrite),
              KIV_E_FILEEXISTSALREADY);
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\b.mp3", L"C:\\Music\\b.mp3", eBlocked), S_OK);
    EXPECT_FALSE(FileExists(BackingPath(L"C:\\Music\\b (0).mp3")));
}

TEST_F(VolumeTest, ANewNameGoesThroughATemporaryCopyThatIsRemovedAfterwards)
{
    const std::wstring pc = TestFolder();
    ASSERT_TRUE(WriteTestFile(pc + L"\\source.bin", 70000));
    const wchar_t renamed[] = L"PellaryRenamedCopy.bin";
    DeleteFileW(TempPath(renamed).c_str());
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\source.bin",
                   std::wstring(L"C:\\Renamed\\New\\") + renamed, eBlocked),
              S_OK);
    EXPECT_EQ(FileSizeOf(BackingPath(std::wstring(L"C:\\Renamed\\New\\") + renamed)), 70000);
    EXPECT_FALSE(FileExists(TempPath(renamed)));
    EXPECT_TRUE(FileExists(pc + L"\\source.bin"));
}

TEST_F(VolumeTest, AReplacedPhoneFileIsCheckedByItsNewSize)
{
    const std::wstring pc = TestFolder();
    ASSERT_TRUE(WriteTestFile(pc + L"\\grown.bin", 200000));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Grown\\grown.bin"), 1000));
    // Like a phone library whose file objects keep what the listing read.
    Fault stale(L"stale-sizes");
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\grown.bin", L"C:\\Grown\\grown.bin", eBlocked | eMove),
              S_OK);
    EXPECT_EQ(FileSizeOf(BackingPath(L"C:\\Grown\\grown.bin")), 200000);
    EXPECT_FALSE(FileExists(pc + L"\\grown.bin"));
}

TEST_F(VolumeTest, APhoneDestinationCannotReachAPCFileBesideTheTemporaryFolder)
{
    const std::wstring pc = TestFolder();
    ASSERT_TRUE(WriteTestFile(pc + L"\\source.bin", 1000));
    // The named temporary copy would have been written over this file, then deleted.
    const std::wstring victim = TempPath(L"..\\PellaryVictim.txt");
    ASSERT_TRUE(WriteTestFile(victim, 77));
    for (const wchar_t* destination :
         {L"C:\\Mp3\\x/../../PellaryVictim.txt", L"C:\\Mp3\\..\\..\\PellaryVictim.txt", L"C:\\Mp3\\C:..\\x"}) {
        EXPECT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\source.bin", destination, eBlocked), E_INVALIDARG);
    }
    EXPECT_EQ(FileSizeOf(victim), 77);
    DeleteFileW(victim.c_str());
}

TEST_F(VolumeTest, PhoneFilesComeToThePCAndEmptyOnesWithoutATransfer)
{
    RecordingSink& sink = AdvisedSink();
    const std::wstring pc = TestFolder();
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Out\\empty.txt"), 0));
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPC, L"C:\\Out\\empty.txt", pc + L"\\got\\", eBlocked), S_OK);
    EXPECT_EQ(FileSizeOf(pc + L"\\got\\empty.txt"), 0);
    EXPECT_TRUE(sink.EventsOf(EVENT_PROGRESS).empty());

    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Out\\full.bin"), 300000));
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPC, L"C:\\Out\\full.bin", pc + L"\\full copy.bin", eBlocked), S_OK);
    EXPECT_EQ(FileSizeOf(pc + L"\\full copy.bin"), 300000);
    EXPECT_TRUE(sink.WaitFor(EVENT_PROGRESS, 10000));
    std::vector<ReceivedEvent> progress = sink.EventsOf(EVENT_PROGRESS);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back().action, aidCopyToPC);
    EXPECT_EQ(progress.back().path, L"C:\\Out\\full.bin");

    // A destination with a wildcard is refused before anything is sent. The last progress
    // notices of the copy above may still be on their way: let them arrive first.
    sink.WaitFor(EVENT_COMPLETION, 1000);
    const size_t seen = sink.Events().size();
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPC, L"C:\\Out\\full.bin", pc + L"\\*.bin", eBlocked), E_INVALIDARG);
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\full copy.bin", L"C:\\Out\\?", eBlocked), E_INVALIDARG);
    EXPECT_EQ(sink.Events().size(), seen);
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPC, L"C:\\Out\\missing.bin", pc + L"\\x.bin", eBlocked), E_INVALIDARG);
}

TEST_F(VolumeTest, AnUnblockedCopyCompletesByEventAndMovesItsSource)
{
    RecordingSink& sink = AdvisedSink();
    const std::wstring pc = TestFolder();
    ASSERT_TRUE(WriteTestFile(pc + L"\\moved.bin", 123456));
    ASSERT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\moved.bin", L"C:\\Async\\", eMove), S_OK);
    ASSERT_TRUE(sink.WaitFor(EVENT_COMPLETION, 30000));
    std::vector<ReceivedEvent> completions = sink.EventsOf(EVENT_COMPLETION);
    ASSERT_EQ(completions.size(), 1u);
    EXPECT_EQ(completions[0].action, aidCopyFromPC);
    EXPECT_EQ(completions[0].value, S_OK);
    // The post steps (size check, then the move's delete) run on the server after the event.
    for (int wait = 0; wait < 50 && FileExists(pc + L"\\moved.bin"); ++wait)
        Sleep(100);
    EXPECT_FALSE(FileExists(pc + L"\\moved.bin"));
    EXPECT_EQ(FileSizeOf(BackingPath(L"C:\\Async\\moved.bin")), 123456);
}

TEST_F(VolumeTest, AShortTransferIsNeverASuccessAndAMoveKeepsItsSource)
{
    const std::wstring pc = TestFolder();
    ASSERT_TRUE(WriteTestFile(pc + L"\\short.bin", 200000));
    {
        Fault shortFile(L"short-file");
        EXPECT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\short.bin", L"C:\\Short\\", eBlocked | eMove),
                  static_cast<HRESULT>(0x80070070));
    }
    EXPECT_FALSE(FileExists(BackingPath(L"C:\\Short\\short.bin")));
    EXPECT_TRUE(FileExists(pc + L"\\short.bin"));
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\short.bin", L"C:\\Short\\", eBlocked | eMove), S_OK);
    EXPECT_FALSE(FileExists(pc + L"\\short.bin"));
    EXPECT_EQ(FileSizeOf(BackingPath(L"C:\\Short\\short.bin")), 200000);
}

TEST_F(VolumeTest, ASinkThatCancelsStopsTheCopy)
{
    RecordingSink& sink = AdvisedSink();
    sink.CancelAtPercentage(1);
    const std::wstring pc = TestFolder();
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Cancel\\long.bin"), 3 * 1024 * 1024));
    Rate slow(L"1M");
    EXPECT_EQ(Copy(m_volume.get(), Direction::ToPC, L"C:\\Cancel\\long.bin", pc + L"\\long.bin", eBlocked), E_ABORT);
    EXPECT_FALSE(FileExists(pc + L"\\long.bin"));
}

TEST_F(VolumeTest, ADisconnectDuringABlockedCopyEndsItWithABadConnection)
{
    const std::wstring pc = TestFolder();
    ASSERT_TRUE(WriteTestFile(pc + L"\\cut.bin", 2 * 1024 * 1024));
    {
        Rate slow(L"1M");
        Fault cut(L"disconnect-midway");
        EXPECT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\cut.bin", L"C:\\Cut\\", eBlocked),
                  KIV_E_BADCONNECTION);
    }
    ASSERT_EQ(ConnectPhone(), 0);
    BSTR drives = nullptr;
    EXPECT_EQ(m_volume->ListDrives(&drives), S_OK);
    EXPECT_EQ(Text(drives), L"C:,E:,");
}

TEST_F(VolumeTest, AnUnblockedCopyWhosePhoneGoesAwayForGoodEndsWithABadConnection)
{
    RecordingSink& sink = AdvisedSink();
    const std::wstring pc = TestFolder();
    ASSERT_TRUE(WriteTestFile(pc + L"\\lost.bin", 2 * 1024 * 1024));
    {
        Rate slow(L"1M");
        Fault vanish(L"vanish-midway");
        ASSERT_EQ(Copy(m_volume.get(), Direction::ToPhone, pc + L"\\lost.bin", L"C:\\Lost\\", eMove), S_OK);
        // The phone never completes it: Kivlink does, and lets the object go.
        ASSERT_TRUE(sink.WaitFor(EVENT_COMPLETION, 15000));
    }
    std::vector<ReceivedEvent> completions = sink.EventsOf(EVENT_COMPLETION);
    ASSERT_EQ(completions.size(), 1u);
    EXPECT_EQ(completions[0].action, aidCopyFromPC);
    EXPECT_EQ(completions[0].value, KIV_E_BADCONNECTION);
    EXPECT_TRUE(FileExists(pc + L"\\lost.bin"));
    ASSERT_EQ(ConnectPhone(), 0);
}

// The inactivity time-out is 30 s: these two take about a minute together.
TEST_F(VolumeTest, OnlyASilentTransferTimesOut)
{
    const std::wstring pc = TestFolder();
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Slow\\slow.bin"), 3 * 1024 * 1024));
    {
        // 96 KiB/s: more than 30 s in all, with progress every second.
        Rate slow(L"96K");
        const DWORD start = GetTickCount();
        EXPECT_EQ(Copy(m_volume.get(), Direction::ToPC, L"C:\\Slow\\slow.bin", pc + L"\\slow.bin", eBlocked), S_OK);
        EXPECT_GT(GetTickCount() - start, 30000u);
        EXPECT_EQ(FileSizeOf(pc + L"\\slow.bin"), 3 * 1024 * 1024);
    }
    {
        Fault stall(L"stall 45000");
        const DWORD start = GetTickCount();
        EXPECT_EQ(Copy(m_volume.get(), Direction::ToPC, L"C:\\Slow\\slow.bin", pc + L"\\stalled.bin", eBlocked),
                  E_FAIL);
        const DWORD took = GetTickCount() - start;
        EXPECT_GE(took, 30000u);
        EXPECT_LT(took, 45000u);
    }
}
