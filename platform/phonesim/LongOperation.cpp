#include "platform/phonesim/LongOperation.h"

#include <algorithm>
#include <vector>

#include "com/HResult.h"
#include "platform/phonesim/FileFacts.h"
#include "platform/phonesim/ObjectHelpers.h"
#include "platform/phonesim/OleDate.h"
#include "platform/phonesim/SimResults.h"
#include "platform/phonesim/SimWorld.h"

namespace phonesim {

namespace {

// At most this long without a progress report while bytes move, so that a slow transfer
// still shows it is alive.
constexpr ULONGLONG kProgressHeartbeatMs = 1000;
// Shortest time between two reports of a new percentage. A phone's link takes far longer for
// a percent; at an unlimited rate reports are held to what a progress bar can show, so that
// a transfer does not spend more time telling its sinks than moving its bytes.
constexpr ULONGLONG kMinimumReportGapMs = 20;
constexpr LONG kComplete = 100;
// Longest wait for a start call to hand out its request id.
constexpr DWORD kIdDeliveryWaitMs = 10000;

}  // namespace

CLongOperation::CLongOperation(std::shared_ptr<CSimPhone> phone, std::shared_ptr<CApplicationLink> link, bool isCopy)
    : m_phone(std::move(phone)),
      m_link(std::move(link)),
      m_isCopy(isCopy)
{
}

HRESULT CLongOperation::Prepare() noexcept
{
    RETURN_IF_FAILED(m_firstEvent.create(true, false));
    RETURN_IF_FAILED(m_firstEventDone.create(true, false));
    return m_idDelivered.create(true, false);
}

void CLongOperation::Execute() noexcept
{
    CSimWorld& world = CSimWorld::Instance();
    m_faults = world.Faults().TakeFor(m_isCopy);
    m_pacer = CTransferPacer(world.TransferRate());
    HRESULT result = E_UNEXPECTED;
    try {
        result = Perform();
    } catch (...) {
        result = E_UNEXPECTED;
    }
    if (m_faults.vanishMidway && m_midwayDone) {
        m_firstEventDone.set();
        return;
    }
    if (FAILED(result) && result != kCancelled && result != kTargetKept) {
        RaiseFailure(result);
    }
    RaiseCompletion(result);
    m_firstEventDone.set();
}

SinkList CLongOperation::EventSinks()
{
    // Only the first event may overtake the request id (the early-event fault).
    if (m_firstEvent.is_signaled()) {
        m_firstEventDone.set();
        m_idDelivered.wait(kIdDeliveryWaitMs);
    }
    m_firstEvent.set();
    return m_link ? m_link->Sinks() : SinkList{};
}

HRESULT CLongOperation::Stopped() const noexcept
{
    if (InterlockedCompareExchange(const_cast<volatile LONG*>(&m_cancel), 0, 0) != 0) {
        return kCancelled;
    }
    return m_phone->IsConnected() ? S_OK : kNotConnected;
}

bool CLongOperation::Progress(LONG percent, bool force)
{
    const ULONGLONG now = GetTickCount64();
    const ULONGLONG sinceLast = now - m_lastReport;
    const bool moved =
        percent != m_lastPercent && (percent == kComplete || m_lastPercent < 0 || sinceLast >= kMinimumReportGapMs);
    if (force || moved || sinceLast >= kProgressHeartbeatMs) {
        m_lastPercent = percent;
        m_lastReport = now;
        if (RaiseProgress(percent)) {
            RequestCancel();
        }
    }
    return SUCCEEDED(Stopped());
}

HRESULT CLongOperation::Midway(LONG percent)
{
    if (m_midwayDone) {
        return S_OK;
    }
    m_midwayDone = true;
    if (m_faults.stallMs != 0) {
        Sleep(m_faults.stallMs);
        m_pacer.Restart();
    }
    // "More times" counts from a report of that value, which the gap between reports may have
    // held back.
    if (m_faults.repeatProgress > 0 && percent != m_lastPercent) {
        Progress(percent, true);
    }
    for (LONG repeat = 0; repeat < m_faults.repeatProgress; ++repeat) {
        Progress(percent, true);
    }
    if (m_faults.disconnectMidway || m_faults.vanishMidway) {
        CSimWorld::Instance().Disconnect(m_phone->Name());
    }
    RETURN_IF_FAILED(Stopped());
    if (m_faults.fail) {
        return m_faults.failWith;
    }
    return S_OK;
}

HRESULT CLongOperation::ResolveExisting(DISPID id, const std::wstring& shownPath, const std::wstring& folder,
                                        std::wstring& name, DATE newDate, unsigned long long newSize)
{
    EntryFacts existing;
    if (FAILED(ReadEntryFacts(JoinPath(folder, name), existing))) {
        return S_OK;
    }
    if (existing.IsFolder()) {
        return kAlreadyExists;
    }
    const ExistingFileAnswer answer =
        RaiseExistingFileFound(EventSinks(), id, m_requestId, shownPath, FileTimeToOleDate(existing.lastWrite),
                               SaturatedLong(existing.size), newDate, SaturatedLong(newSize));
    if (answer.cancel || answer.action == actionCancel) {
        return kCancelled;
    }
    switch (answer.action) {
    case actionOverwrite:
        return S_OK;
    case actionKeepBoth:
        name = FreeSiblingName(folder, name);
        return S_OK;
    default:
        return kTargetKept;
    }
}

LONG CLongOperation::Percent(unsigned long long done, unsigned long long total) noexcept
{
    if (total == 0) {
        return 100;
    }
    return static_cast<LONG>(std::min<unsigned long long>(100, done * 100 / total));
}

HRESULT CLongOperation::MoveBytes(HANDLE source, HANDLE target, unsigned long long length, unsigned long long& done,
                                  unsigned long long total)
{
    std::vector<char> buffer(m_pacer.ChunkSize());
    unsigned long long left = length;
    while (left > 0) {
        RETURN_IF_FAILED(Stopped());
        const DWORD want = static_cast<DWORD>(std::min<unsigned long long>(left, buffer.size()));
        DWORD read = 0;
        RETURN_LAST_ERROR_IF(!ReadFile(source, buffer.data(), want, &read, nullptr));
        if (read == 0) {
            // The source shrank under the transfer.
            return HRESULT_FROM_WIN32(ERROR_HANDLE_EOF);
        }
        DWORD written = 0;
        RETURN_LAST_ERROR_IF(!WriteFile(target, buffer.data(), read, &written, nullptr) || written != read);
        left -= read;
        done += read;
        m_pacer.Account(read);
        const LONG percent = Percent(done, total);
        if (!Progress(percent)) {
            return Stopped();
        }
        if (done * 2 >= total) {
            RETURN_IF_FAILED(Midway(percent));
        }
    }
    return S_OK;
}

}  // namespace phonesim
