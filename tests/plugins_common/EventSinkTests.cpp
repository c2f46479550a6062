// The transfer's event sink: one connection at a time, the bar moved within the file's part,
// cancel answered once the user asked, unknown events accepted.
#include "FakeVolume.h"

#include "plugins/common/ProgressEvents.h"

#include "com/ComInit.h"
#include "com/DispatchArguments.h"
#include "com/UniqueHandle.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using tolv::com::com_ptr;

namespace {

constexpr DISPID kUndeclaredEvent = 9;

class TestDialog : public tolv::plugins::IProgressDialog {
public:
    TestDialog()
        : m_bar(CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP, 0, 0, 100, 10, nullptr, nullptr, nullptr, nullptr))
    {
        SendMessageW(m_bar, PBM_SETRANGE32, 0, 1000);
    }
    ~TestDialog() { DestroyWindow(m_bar); }
    bool CancelRequested() const override { return cancel; }
    HWND ProgressBar() const override { return m_bar; }
    int ProgressBase() const override { return 200; }
    int ProgressSpan() const override { return 400; }
    int Position() const { return static_cast<int>(SendMessageW(m_bar, PBM_GETPOS, 0, 0)); }

    bool cancel = false;

private:
    HWND m_bar;
};

// Fires one progress report through the source's point; the answer every sink gave.
VARIANT_BOOL FireProgress(const CFakeVolume2& source, long percentage)
{
    VARIANT_BOOL cancel = VARIANT_FALSE;
    tolv::com::DispatchArguments arguments;
    arguments.add_long(aidCopyFromPC);
    arguments.add_string(L"E:\\Mp3\\a.mp3");
    arguments.add_long(percentage);
    arguments.add_bool_ref(&cancel);
    source.Events().FireDispatch(tolv::plugins::CServerEventSink::kOperationProgress, arguments);
    return cancel;
}

}  // namespace

TEST(ProgressEvents, TheBarFollowsTheFileAndCancelIsAnsweredOnceAsked)
{
    const tolv::com::com_init com(COINIT_APARTMENTTHREADED);
    FakePhoneState phone;
    com_ptr<FakeVolume2> source = MakeFakeVolume2(phone);
    TestDialog dialog;
    com_ptr<tolv::com::ComObject<tolv::plugins::CProgressEventsImpl>> sink;
    ASSERT_EQ(tolv::com::ComObject<tolv::plugins::CProgressEventsImpl>::Create(sink, &dialog), S_OK);

    IUnknown* sourceUnknown = static_cast<IKivVolume2*>(source.get());
    ASSERT_EQ(sink->Advise(sourceUnknown, nullptr), S_OK);
    // A second advise leaves the first connection.
    ASSERT_EQ(sink->Advise(sourceUnknown, nullptr), S_OK);
    EXPECT_EQ(source->Events().SinkCount(), 1u);

    EXPECT_EQ(FireProgress(*source.get(), 50), VARIANT_FALSE);
    EXPECT_EQ(dialog.Position(), 400);
    dialog.cancel = true;
    EXPECT_EQ(FireProgress(*source.get(), 75), VARIANT_TRUE);
    EXPECT_EQ(dialog.Position(), 500);

    tolv::com::DispatchArguments none;
    EXPECT_EQ(tolv::com::InvokeSink(sink.get(), kUndeclaredEvent, none), S_OK);

    EXPECT_EQ(sink->Unadvise(), S_OK);
    EXPECT_FALSE(sink->IsConnected());
    EXPECT_EQ(source->Events().SinkCount(), 0u);
}
