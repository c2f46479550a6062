#include "MessageFilter.h"

#include "WorkerBusyCounters.h"
#include "WorkerRole.h"

#include "KivlinkLib.h"
#include "trace/TolvTrace.h"

namespace {

constexpr DWORD kGiveUp = static_cast<DWORD>(-1);
constexpr DWORD kRetryAfterMs = 1000;

constexpr unsigned kFileWorker = RoleBit(KivWorkerRole::File);
constexpr unsigned kPhoneStatusWorker = RoleBit(KivWorkerRole::PhoneStatus);
constexpr unsigned kListingWorker = RoleBit(KivWorkerRole::Listing);
constexpr unsigned kChangeWorker = RoleBit(KivWorkerRole::ChangeNotification);

struct FilteredInterface {
    const IID* iid;
    const char* traceLine;
};

const FilteredInterface kFilteredInterfaces[] = {
    {&IID_IKivVolume, "IKivMessageFilter::HandleIncomingCall for IID_IKivVolume - dispId=%d"},
    {&IID_IKivVolume2, "IKivMessageFilter::HandleIncomingCall for IID_IKivVolume2 - dispId=%d"},
    {&IID_IKivGeneral, "IKivMessageFilter::HandleIncomingCall for IID_IKivGeneral - dispId=%d"},
};

// The workers a call needs, by the dispatch ids of the type library. The method table hands
// out IKivVolume's ids for slots that all three interfaces have, so the IKivVolume2 and
// IKivGeneral rows only take effect for ids that no IKivVolume method holds.
struct WorkerRule {
    const IID* iid;
    DISPID first;
    DISPID last;
    unsigned workers;
};

const WorkerRule kWorkerRules[] = {
    {&IID_IKivVolume, 1, 2, kChangeWorker},  // AddChangeNotification, BroadcastChangeNotification
    {&IID_IKivVolume, 3, 8, kFileWorker},  // Copy to GetCapacity
    {&IID_IKivVolume, 9, 9, kListingWorker},  // GetEntries
    {&IID_IKivVolume, 10, 15, kFileWorker},  // GetFile to MoveDir
    {&IID_IKivVolume, 16, 16, kChangeWorker},  // PutFile
    {&IID_IKivVolume, 17, 22, kFileWorker},  // RemoveChangeNotification to SetTime
    {&IID_IKivVolume2, 1, 7, kFileWorker},  // ListDevices to ListEntries
    {&IID_IKivVolume2, 8, 8, kFileWorker | kPhoneStatusWorker},  // GetInfo
    {&IID_IKivVolume2, 9, 13, kFileWorker},  // CopyToPC to CreateEntry
    {&IID_IKivGeneral, 1, 5, kFileWorker},
    {&IID_IKivGeneral, 8, 8, kFileWorker},
    {&IID_IKivGeneral, 9, 9, kFileWorker | kPhoneStatusWorker},
};

const FilteredInterface* FindInterface(REFIID iid)
{
    for (const FilteredInterface& filtered : kFilteredInterfaces)
        if (InlineIsEqualGUID(iid, *filtered.iid))
            return &filtered;
    return nullptr;
}

unsigned WorkersNeeded(REFIID iid, DISPID dispatchId)
{
    for (const WorkerRule& rule : kWorkerRules)
        if (InlineIsEqualGUID(iid, *rule.iid) && dispatchId >= rule.first && dispatchId <= rule.last)
            return rule.workers;
    return 0;
}

// The interface id as the four 32-bit words it is stored in.
void IidWords(REFIID iid, unsigned (&words)[4])
{
    static_assert(sizeof(words) == sizeof(IID));
    CopyMemory(words, &iid, sizeof(IID));
}

}  // namespace

CMessageFilter::CMessageFilter(CFilterMethodTable table, CTolvTrace* trace) : m_table(std::move(table)), m_trace(trace)
{
}

DWORD STDMETHODCALLTYPE CMessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO interfaceInfo)
{
    const IID called = interfaceInfo ? interfaceInfo->iid : GUID_NULL;
    const FilteredInterface* filtered = FindInterface(called);
    unsigned workers = 0;
    if (!filtered) {
        unsigned words[4];
        IidWords(called, words);
        // The line's two conversions show the first two words.
        m_trace->Format(3, "IKivMessageFilter::HandleIncomingCall wrong Interface-ID: %0x%x", words[0], words[1]);
    } else {
        const WORD method = interfaceInfo->wMethod;
        const DISPID dispatchId = m_table.Lookup(method);
        m_trace->Format(3, filtered->traceLine, static_cast<int>(dispatchId));
        workers = WorkersNeeded(called, dispatchId);
        if (workers == 0) {
            m_trace->Format(3, "IKivMessageFilter::HandleIncomingCall unknown method: %0x%x",
                            static_cast<unsigned>(method), static_cast<unsigned>(dispatchId));
            return SERVERCALL_REJECTED;
        }
    }
    for (int worker = 1; worker <= WorkerBusyCounters::COUNT; ++worker) {
        if (!(workers & RoleBit(static_cast<KivWorkerRole>(worker))))
            continue;
        // Only the first worker the call needs decides.
        if (WorkerBusyCounters::Get(worker) == 0) {
            m_trace->Format(3, "IKivMessageFilter::HandleIncomingCall returns SERVERCALL_ISHANDLED");
            return SERVERCALL_ISHANDLED;
        }
        m_trace->Format(3, "IKivMessageFilter::HandleIncomingCall returns SERVERCALL_RETRYLATER");
        return SERVERCALL_RETRYLATER;
    }
    m_trace->Format(3,
                    "IKivMessageFilter::HandleIncomingCall returns rejected because the given method or interface was "
                    "not found");
    return SERVERCALL_REJECTED;
}

DWORD STDMETHODCALLTYPE CMessageFilter::RetryRejectedCall(HTASK, DWORD, DWORD rejectType)
{
    if (rejectType == SERVERCALL_REJECTED) {
        m_trace->Format(3, "IKivMessageFilter::RetryRejectedCall returns -1");
        return kGiveUp;
    }
    m_trace->Format(3, "IKivMessageFilter::RetryRejectedCall returns %d", static_cast<int>(kRetryAfterMs));
    return kRetryAfterMs;
}

DWORD STDMETHODCALLTYPE CMessageFilter::MessagePending(HTASK, DWORD, DWORD)
{
    return PENDINGMSG_WAITDEFPROCESS;
}
