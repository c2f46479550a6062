// A long operation (copy, format, backup, restore): started by a phone object, run on the
// simulator's operation thread, reported to the sinks of the application object it was
// started through. Every operation ends with exactly one completion event.
#pragma once

#include <memory>
#include <string>

#include <windows.h>

#include "com/Module.h"
#include "com/UniqueHandle.h"
#include "platform/phonesim/ApplicationLink.h"
#include "platform/phonesim/FaultSwitches.h"
#include "platform/phonesim/SimPhone.h"
#include "platform/phonesim/SinkEvents.h"
#include "platform/phonesim/TransferPacer.h"

namespace phonesim {

class CLongOperation {
public:
    CLongOperation(std::shared_ptr<CSimPhone> phone, std::shared_ptr<CApplicationLink> link, bool isCopy);
    virtual ~CLongOperation() = default;
    CLongOperation(const CLongOperation&) = delete;
    CLongOperation& operator=(const CLongOperation&) = delete;

    HRESULT Prepare() noexcept;
    void SetRequestId(LONG id) noexcept { m_requestId = id; }
    LONG RequestId() const noexcept { return m_requestId; }
    bool IsCopy() const noexcept { return m_isCopy; }
    void RequestCancel() noexcept { InterlockedExchange(&m_cancel, 1); }
    // Set just before the operation's first event goes out.
    HANDLE FirstEventSent() const noexcept { return m_firstEvent.get(); }
    // Set once the first event has been answered by every sink.
    HANDLE FirstEventDone() const noexcept { return m_firstEventDone.get(); }
    // The start call is returning the request id: events after the first may follow.
    void IdDelivered() noexcept { m_idDelivered.set(); }

    // The operation thread's part: runs the operation and raises its completion.
    void Execute() noexcept;

protected:
    // Does the work and answers the result that the completion carries.
    virtual HRESULT Perform() = 0;
    // Progress with the operation's own arguments; true when a sink asked to cancel.
    virtual bool RaiseProgress(LONG percent) = 0;
    // The error event of the operation for a failure it ends with.
    virtual void RaiseFailure(HRESULT error) = 0;
    virtual void RaiseCompletion(HRESULT result) = 0;

    // The sinks for the next event (marks the first event as sent).
    SinkList EventSinks();
    // Raises progress when the percentage moved or a second has passed since the last
    // report (always when forced); false when the operation is to stop (see Stopped).
    bool Progress(LONG percent, bool force = false);
    // S_OK while the operation may go on, else its end: cancelled or the phone gone.
    HRESULT Stopped() const noexcept;
    // The armed faults at half way: stall, repeated progress, disconnect, failure. S_OK to
    // go on; otherwise the result to end with. Runs once; later calls answer S_OK.
    HRESULT Midway(LONG percent);
    // Copies `length` bytes between files at the set rate, counting them into `done` of
    // `total`, reporting progress and reaching Midway when half of `total` is done.
    HRESULT MoveBytes(HANDLE source, HANDLE target, unsigned long long length, unsigned long long& done,
                      unsigned long long total);
    // The existing-file question (`id` 8 or 15) when `folder`\`name` exists, shown as
    // `shownPath`. S_OK to write the file under `name`, which "keep both" changes; otherwise
    // kTargetKept, kCancelled, or kAlreadyExists when a folder is in the way.
    HRESULT ResolveExisting(DISPID id, const std::wstring& shownPath, const std::wstring& folder, std::wstring& name,
                            DATE newDate, unsigned long long newSize);
    static LONG Percent(unsigned long long done, unsigned long long total) noexcept;

    CSimPhone& Phone() noexcept { return *m_phone; }
    const FaultPlan& Faults() const noexcept { return m_faults; }

private:
    std::shared_ptr<CSimPhone> m_phone;
    std::shared_ptr<CApplicationLink> m_link;
    const bool m_isCopy;
    // A running operation keeps the server.
    tolv::com::module_lock m_keepServer;
    tolv::com::unique_event m_firstEvent;
    tolv::com::unique_event m_firstEventDone;
    tolv::com::unique_event m_idDelivered;
    LONG m_requestId = 0;
    volatile LONG m_cancel = 0;
    FaultPlan m_faults;
    bool m_midwayDone = false;
    LONG m_lastPercent = -1;
    ULONGLONG m_lastReport = 0;
    CTransferPacer m_pacer{0};
};

}  // namespace phonesim
