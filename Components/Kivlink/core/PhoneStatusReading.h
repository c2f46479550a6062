#pragma once
// Battery charge and signal level as the phone-status worker reads them, for the callers that
// put them into a device text or answer them from a cache.
#include "KivServerServices.h"
#include "RequestData.h"

#include <optional>

// Battery charge (per cent) and signal level of one reading.
struct CPhoneStatusReading {
    long charge = 0;
    long signal = 0;
};

// The request that makes the phone-status worker read into `reading`, which must outlive the
// wait for its answer.
CRequestData PhoneStatusRequest(CPhoneStatusReading& reading);

// A reading for a thread that others wait on (the notification thread): nothing when the
// reading failed, and nothing without asking when the phone-status worker is busy or would
// refuse. A busy phone-status worker may itself be waiting for the file worker (SetPort), and
// the file worker for this thread, so queueing behind it could stall both.
std::optional<CPhoneStatusReading> ReadPhoneStatusIfIdle(IKivServerServices& services);

// A device GetInfo carries the reading its COM method got, so that the file worker never waits
// for the phone-status worker (which may be waiting for it).
void AttachPhoneStatus(CRequestData& record, const CPhoneStatusReading& reading);
std::optional<CPhoneStatusReading> AttachedPhoneStatus(const CRequestData& record);
