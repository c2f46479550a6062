// The incoming-call filter: which dispatch id a called slot stands for, the answer by the busy
// counter of the first worker a call needs, and the registry switch that turns it on.
#include "Components/Kivlink/core/KivlinkModule.h"
#include "Components/Kivlink/core/MessageFilter.h"
#include "Components/Kivlink/core/WorkerBusyCounters.h"
#include "Components/Kivlink/core/WorkerRole.h"

#include "tests/support/ChildProcess.h"
#include "tests/support/TraceCapture.h"

#include "KivlinkLib.h"
#include "com/ComInit.h"
#include "com/ComObject.h"

#include <gtest/gtest.h>

#include <oleauto.h>

using tolv::com::com_ptr;

namespace {

// Slots after IUnknown's three and IDispatch's four methods.
constexpr WORD kFirstOwnSlot = 7;
constexpr WORD kInvokeSlot = 6;
constexpr WORD kGetEntriesSlot = kFirstOwnSlot + 8;  // IKivVolume's ninth method
constexpr WORD kGetInfoSlot = kFirstOwnSlot + 7;  // IKivVolume2's eighth
constexpr WORD kCreateEntrySlot = kFirstOwnSlot + 12;  // IKivVolume2's thirteenth
constexpr WORD kGetChargeSlot = kFirstOwnSlot + 5;  // IKivGeneral's sixth
constexpr WORD kGetMobileModelSlot = kFirstOwnSlot;

constexpr int kFileWorker = static_cast<int>(KivWorkerRole::File);
constexpr int kPhoneStatusWorker = static_cast<int>(KivWorkerRole::PhoneStatus);
constexpr int kListingWorker = static_cast<int>(KivWorkerRole::Listing);

// A caller waiting on a worker for the guard's life.
class BusyWorker {
public:
    explicit BusyWorker(int worker) : m_worker(worker) { WorkerBusyCounters::Raise(worker, nullptr); }
    ~BusyWorker() { WorkerBusyCounters::Lower(m_worker, nullptr); }
    BusyWorker(const BusyWorker&) = delete;
    BusyWorker& operator=(const BusyWorker&) = delete;

private:
    int m_worker;
};

class MessageFilterTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_com.succeeded());
        com_ptr<ITypeLib> library;
        ASSERT_EQ(LoadTypeLibEx(BinaryPath(L"Kivlink.exe").c_str(), REGKIND_NONE, library.put()), S_OK);
        ASSERT_EQ(m_table.Load(library.get()), S_OK);
        com_ptr<tolv::com::InternalComObject<CMessageFilter>> filter;
        ASSERT_EQ(tolv::com::InternalComObject<CMessageFilter>::Create(filter, m_table, &m_trace), S_OK);
        ASSERT_EQ(filter.query(m_filter), S_OK);
    }
    DWORD Call(REFIID iid, WORD slot)
    {
        INTERFACEINFO info{nullptr, iid, slot};
        return m_filter->HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, &info);
    }

    tolv::com::com_init m_com{COINIT_MULTITHREADED};
    CTraceCapture m_capture;
    CTolvTrace m_trace{"MessageFilterTest", 3, true};
    CFilterMethodTable m_table;
    com_ptr<IMessageFilter> m_filter;
};

}  // namespace

TEST_F(MessageFilterTest, SlotsAllThreeInterfacesShareStandForIKivVolumesMethods)
{
    EXPECT_EQ(m_table.Lookup(kFirstOwnSlot), 1);
    EXPECT_EQ(m_table.Lookup(kFirstOwnSlot + 10), 11);
    // IKivVolume's twelfth method has id 13: no method of it has 12.
    EXPECT_EQ(m_table.Lookup(kFirstOwnSlot + 11), 13);
    EXPECT_EQ(m_table.Lookup(kInvokeSlot), 0);
    EXPECT_EQ(m_table.Lookup(0), 0);
}

TEST_F(MessageFilterTest, ACallThatWouldWaitBehindItsWorkerIsToldToRetryLater)
{
    EXPECT_EQ(Call(IID_IKivVolume, kGetEntriesSlot), static_cast<DWORD>(SERVERCALL_ISHANDLED));
    {
        BusyWorker listing(kListingWorker);
        EXPECT_EQ(Call(IID_IKivVolume, kGetEntriesSlot), static_cast<DWORD>(SERVERCALL_RETRYLATER));
        // The file worker is free: a call that needs only it goes through.
        EXPECT_EQ(Call(IID_IKivGeneral, kGetMobileModelSlot), static_cast<DWORD>(SERVERCALL_ISHANDLED));
    }
    EXPECT_TRUE(m_capture.Wrote("IKivMessageFilter::HandleIncomingCall for IID_IKivVolume - dispId=9"));
    EXPECT_TRUE(m_capture.Wrote("IKivMessageFilter::HandleIncomingCall returns SERVERCALL_RETRYLATER"));
}

TEST_F(MessageFilterTest, OnlyTheFirstWorkerACallNeedsDecides)
{
    {
        // GetInfo needs the file and the phone-status worker; the second is never looked at.
        BusyWorker phoneStatus(kPhoneStatusWorker);
        EXPECT_EQ(Call(IID_IKivVolume2, kGetInfoSlot), static_cast<DWORD>(SERVERCALL_ISHANDLED));
    }
    BusyWorker files(kFileWorker);
    EXPECT_EQ(Call(IID_IKivVolume2, kGetInfoSlot), static_cast<DWORD>(SERVERCALL_RETRYLATER));
}

TEST_F(MessageFilterTest, CallsWithoutARuleAndOtherInterfacesAreRejected)
{
    // Their slots stand for IKivVolume ids that the rules of their interface do not hold.
    EXPECT_EQ(Call(IID_IKivVolume2, kCreateEntrySlot), static_cast<DWORD>(SERVERCALL_REJECTED));
    EXPECT_EQ(Call(IID_IKivGeneral, kGetChargeSlot), static_cast<DWORD>(SERVERCALL_REJECTED));
    // IDispatch::Invoke of a late-bound caller.
    EXPECT_EQ(Call(IID_IKivVolume, kInvokeSlot), static_cast<DWORD>(SERVERCALL_REJECTED));
    EXPECT_EQ(Call(IID_IKivNotifySink, kFirstOwnSlot), static_cast<DWORD>(SERVERCALL_REJECTED));
    EXPECT_EQ(m_filter->HandleInComingCall(CALLTYPE_TOPLEVEL, nullptr, 0, nullptr),
              static_cast<DWORD>(SERVERCALL_REJECTED));
    EXPECT_TRUE(m_capture.Wrote("IKivMessageFilter::HandleIncomingCall returns rejected because the given method or "
                                "interface was not found"));
}

TEST_F(MessageFilterTest, ARefusedOutgoingCallIsGivenUpAndABusyOneRetriedAfterASecond)
{
    EXPECT_EQ(m_filter->RetryRejectedCall(nullptr, 0, SERVERCALL_REJECTED), static_cast<DWORD>(-1));
    EXPECT_EQ(m_filter->RetryRejectedCall(nullptr, 0, SERVERCALL_RETRYLATER), 1000u);
    EXPECT_EQ(m_filter->MessagePending(nullptr, 0, PENDINGTYPE_TOPLEVEL),
              static_cast<DWORD>(PENDINGMSG_WAITDEFPROCESS));
}
