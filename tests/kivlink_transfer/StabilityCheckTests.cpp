// The checks after a failed wait, which decide whether a copy arrived anyway: on the PC every
// look waits 500 ms; on the phone the first look waits a second and the pauses lengthen while
// the size stands still. Each gives up once the size stood still for as many looks as it had
// changed, and five more.
#include "RecordingClock.h"
#include "TransferTestFiles.h"

#include "ModelFixture.h"

#include "Components/Kivlink/transfer/CopyOnPcCheck.h"
#include "Components/Kivlink/transfer/CopyOnPhoneCheck.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class StabilityCheck : public ModelFixture {
protected:
    CFileDescription Lookup(const wchar_t* path)
    {
        CFileDescription entry;
        EXPECT_EQ(device->GetEntry(path, entry), S_OK);
        return entry;
    }
    TestFolder folder;
    RecordingClock clock;
};

}  // namespace

TEST_F(StabilityCheck, PcFileThatStaysEmptyIsGivenUpAfterFivePolls)
{
    const std::wstring pc = folder / L"b.mp3";
    WritePcFile(pc, 0);
    CFileDescription phoneFile = Lookup(L"C:\\Images\\b.mp3");
    EXPECT_EQ(CheckCopyOnPC(phoneFile, pc.c_str(), trace.get(), clock), E_FAIL);
    EXPECT_EQ(clock.pauses, std::vector<DWORD>(5, 500));
}

TEST_F(StabilityCheck, PcFileStuckAtAnotherSizeIsGivenUpAfterSevenPolls)
{
    // The first look counts as a change from 0.
    const std::wstring pc = folder / L"b.mp3";
    WritePcFile(pc, 3);
    CFileDescription phoneFile = Lookup(L"C:\\Images\\b.mp3");
    EXPECT_EQ(CheckCopyOnPC(phoneFile, pc.c_str(), trace.get(), clock), E_FAIL);
    EXPECT_EQ(clock.pauses, std::vector<DWORD>(7, 500));
}

TEST_F(StabilityCheck, PcFileThatGrowsToTheSizeArrived)
{
    const std::wstring pc = folder / L"song.mp3";
    WritePcFile(pc, 0);
    // Growing keeps the check going past its five still looks; the check must let the
    // transfer that is still writing the file go on.
    clock.onPause = [&](size_t count) {
        HANDLE file = CreateFileW(pc.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        const char bytes[11] = "xxxxxxxxxx";
        WriteFile(file, bytes, count <= 9 ? 11 : 0, &written, nullptr);
        CloseHandle(file);
    };
    world.AddFile(phone, L"C:\\Images\\song.mp3", 99);
    CFileDescription phoneFile = Lookup(L"C:\\Images\\song.mp3");
    EXPECT_EQ(CheckCopyOnPC(phoneFile, pc.c_str(), trace.get(), clock), S_OK);
    EXPECT_EQ(clock.pauses.size(), 9u);
}

TEST_F(StabilityCheck, PcCheckWithoutFileOrPhoneFileEndsAtOnce)
{
    CFileDescription phoneFile = Lookup(L"C:\\Images\\b.mp3");
    EXPECT_EQ(CheckCopyOnPC(phoneFile, (folder / L"none.mp3").c_str(), trace.get(), clock), E_FAIL);
    const std::wstring pc = folder / L"b.mp3";
    WritePcFile(pc, 5);
    CFileDescription notAFile = Lookup(L"C:\\Images\\");
    EXPECT_EQ(CheckCopyOnPC(notAFile, pc.c_str(), trace.get(), clock), E_FAIL);
    EXPECT_TRUE(clock.pauses.empty());
    // A complete file passes on the first look.
    EXPECT_EQ(CheckCopyOnPC(phoneFile, pc.c_str(), trace.get(), clock), S_OK);
    EXPECT_EQ(clock.pauses, std::vector<DWORD>{500});
}

TEST_F(StabilityCheck, PhoneFileThatStandsStillIsWatchedWithLengtheningPauses)
{
    CFileDescription images = Lookup(L"C:\\Images\\");
    // b.mp3 holds 5 of 8 bytes and gets no further.
    EXPECT_EQ(CheckCopyOnPhone(8, images, L"b.mp3", trace.get(), clock), E_FAIL);
    EXPECT_EQ(clock.pauses, (std::vector<DWORD>{1000, 500, 500, 1000, 1500, 2000, 2500, 3000}));
}

TEST_F(StabilityCheck, PhoneFileThatStaysEmptyIsGivenUpAfterFivePolls)
{
    world.AddFile(phone, L"C:\\Images\\empty.mp3", 0);
    CFileDescription images = Lookup(L"C:\\Images\\");
    EXPECT_EQ(CheckCopyOnPhone(8, images, L"empty.mp3", trace.get(), clock), E_FAIL);
    EXPECT_EQ(clock.pauses, (std::vector<DWORD>{1000, 500, 1000, 1500, 2000, 2500}));
}

TEST_F(StabilityCheck, PhoneFileThatGrowsToTheSizeArrived)
{
    auto growing = world.AddFile(phone, L"C:\\Images\\new.mp3", 0);
    CFileDescription images = Lookup(L"C:\\Images\\");
    clock.onPause = [&](size_t count) { growing->size = static_cast<long>(count) * 100; };
    // Read from the phone at every look, not from the first answer.
    EXPECT_EQ(CheckCopyOnPhone(700, images, L"new.mp3", trace.get(), clock), S_OK);
    EXPECT_EQ(clock.pauses, (std::vector<DWORD>{1000, 500, 500, 500, 500, 500, 500}));
}

TEST_F(StabilityCheck, PhoneFileNotThereEndsAfterTheFirstSecond)
{
    CFileDescription images = Lookup(L"C:\\Images\\");
    EXPECT_EQ(CheckCopyOnPhone(8, images, L"never.mp3", trace.get(), clock), E_FAIL);
    EXPECT_EQ(clock.pauses, std::vector<DWORD>{1000});
}

TEST(TransferClockOverride, RoutesPauseOnTheReplacementForItsScope)
{
    IKivTransferClock* system = &TransferClock();
    {
        RecordingClock clock;
        CKivTransferClockOverride scope(clock);
        TransferClock().Pause(123);
        EXPECT_EQ(clock.pauses, std::vector<DWORD>{123});
    }
    EXPECT_EQ(&TransferClock(), system);
}
