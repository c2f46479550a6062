// Every fault switch, armed through the control object as the command line does it, and the
// one operation that takes it.
#include "PhoneSimTest.h"

#include "EventRecorder.h"
#include "com/UniqueBstr.h"

using tolv::com::com_ptr;
using tolv::com::unique_bstr;

namespace {

constexpr DISPID kDeviceDisconnected = 2;
constexpr DISPID kCopyProgress = 13;
constexpr DISPID kCopyError = 14;
constexpr DISPID kCopyComplete = 16;

class PhoneSimFaults : public PhoneSimTest {
protected:
    void SetUp() override
    {
        PhoneSimTest::SetUp();
        source = pcSide + L"\\track.mp3";
        WritePatternFile(source, 1000000);
        folder = Root(L'E');
        ASSERT_TRUE(folder);
    }

    // Starts copying the source into E:\ and waits for its completion.
    LONG CopyIn(CEventRecorder& sink, LONG& requestId)
    {
        requestId = 0;
        EXPECT_EQ(folder->CopyFromPC(unique_bstr(source.c_str()).get(), &requestId), S_OK);
        sink.MarkStartReturned();
        EXPECT_TRUE(sink.WaitFor(kCopyComplete, requestId));
        for (const RecordedEvent& event : sink.EventsOf(kCopyComplete)) {
            if (event.Number(0) == requestId) {
                return event.Number(1);
            }
        }
        return 1;
    }

    std::wstring Copied() const { return DriveFolder(L'E') + L"\\track.mp3"; }

    std::wstring source;
    com_ptr<ISCFolder> folder;
};

}  // namespace

TEST_F(PhoneSimFaults, StallKeepsProgressSilentForTheGivenTime)
{
    AdvisedRecorder sink(application.get());
    ASSERT_EQ(control->ArmFault(faultStall, 1500), S_OK);
    LONG requestId = 0;
    const ULONGLONG started = GetTickCount64();
    ASSERT_EQ(CopyIn(*sink, requestId), S_OK);
    EXPECT_GE(GetTickCount64() - started, 1400u);
    EXPECT_EQ(FileSizeOf(Copied()), 1000000u);

    // Taken by that copy: the next one runs straight through.
    sink->Clear();
    DeleteFileW(Copied().c_str());
    const ULONGLONG again = GetTickCount64();
    ASSERT_EQ(CopyIn(*sink, requestId), S_OK);
    EXPECT_LT(GetTickCount64() - again, 1400u);
}

TEST_F(PhoneSimFaults, RepeatProgressSendsTheSameValueAgainAndAgain)
{
    AdvisedRecorder sink(application.get());
    ASSERT_EQ(control->ArmFault(faultRepeatProgress, 6), S_OK);
    LONG requestId = 0;
    ASSERT_EQ(CopyIn(*sink, requestId), S_OK);
    size_t longestRun = 1;
    size_t run = 1;
    const auto progress = sink->EventsOf(kCopyProgress);
    for (size_t index = 1; index < progress.size(); ++index) {
        run = progress[index].Number(3) == progress[index - 1].Number(3) ? run + 1 : 1;
        longestRun = std::max(longestRun, run);
    }
    EXPECT_GE(longestRun, 7u);
}

TEST_F(PhoneSimFaults, FailNextRaisesTheErrorAndCompletesWithIt)
{
    AdvisedRecorder sink(application.get());
    ASSERT_EQ(control->ArmFault(faultFailNext, static_cast<LONG>(0x80070005)), S_OK);
    LONG requestId = 0;
    EXPECT_EQ(CopyIn(*sink, requestId), static_cast<LONG>(0x80070005));
    const auto errors = sink->EventsOf(kCopyError);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Number(0), requestId);
    EXPECT_EQ(errors[0].Number(2), static_cast<LONG>(0x80070005));
    EXPECT_FALSE(FileExists(Copied()));
    EXPECT_EQ(sink->EventsOf(kCopyComplete).size(), 1u);
}

TEST_F(PhoneSimFaults, ShortFileCompletesSuccessfullyWithHalfTheBytes)
{
    AdvisedRecorder sink(application.get());
    // Not taken by a format: it waits for a copy.
    ASSERT_EQ(control->ArmFault(faultShortFile, 0), S_OK);
    LONG formatId = 0;
    ASSERT_EQ(DriveNamed(DeviceAt(application.get(), 1).get(), L"C:")->Format(&formatId), S_OK);
    ASSERT_TRUE(sink->WaitFor(12, formatId));
    LONG requestId = 0;
    EXPECT_EQ(CopyIn(*sink, requestId), S_OK);
    EXPECT_EQ(FileSizeOf(Copied()), 500000u);
}

TEST_F(PhoneSimFaults, DisconnectMidwayTellsEveryoneAndEndsTheCopy)
{
    AdvisedRecorder sink(application.get());
    const auto other = CreateApplication();
    ASSERT_TRUE(other);
    AdvisedRecorder bystander(other.get());
    ASSERT_EQ(control->ArmFault(faultDisconnectMidway, 0), S_OK);
    LONG requestId = 0;
    EXPECT_EQ(CopyIn(*sink, requestId), static_cast<LONG>(0x8007048F));
    EXPECT_EQ(sink->EventsOf(kDeviceDisconnected).size(), 1u);
    EXPECT_TRUE(bystander->WaitFor(kDeviceDisconnected));
    EXPECT_EQ(bystander->EventsOf(kDeviceDisconnected)[0].Text(0), kDefaultPhone);
    unique_bstr status;
    ASSERT_EQ(control->GetStatus(status.put()), S_OK);
    EXPECT_EQ(Text(status.get()), L"");
    EXPECT_FALSE(FileExists(Copied()));
}

TEST_F(PhoneSimFaults, EarlyEventArrivesBeforeTheStartCallHasReturnedItsId)
{
    AdvisedRecorder sink(application.get());
    ASSERT_EQ(control->ArmFault(faultEarlyEvent, 500), S_OK);
    LONG requestId = 0;
    ASSERT_EQ(CopyIn(*sink, requestId), S_OK);
    const auto events = sink->Events();
    ASSERT_FALSE(events.empty());
    EXPECT_FALSE(events.front().startReturned);
    EXPECT_EQ(events.front().Number(0), requestId);
    EXPECT_TRUE(events.back().startReturned);
}

TEST_F(PhoneSimFaults, ClearDisarmsEverySwitch)
{
    AdvisedRecorder sink(application.get());
    ASSERT_EQ(control->ArmFault(faultFailNext, static_cast<LONG>(0x80004005)), S_OK);
    ASSERT_EQ(control->ArmFault(faultShortFile, 0), S_OK);
    EXPECT_EQ(control->ArmFault(faultFailNext, 0), E_INVALIDARG);
    ASSERT_EQ(control->ClearFaults(), S_OK);
    LONG requestId = 0;
    EXPECT_EQ(CopyIn(*sink, requestId), S_OK);
    EXPECT_EQ(FileSizeOf(Copied()), 1000000u);
}
