#pragma once
// The pauses of the stability checks, which watch a copied file until its size stops
// changing. The routes pause through the process's clock; tests swap in one that does not
// really wait (and may change the file between two looks).
#include <windows.h>

class IKivTransferClock {
public:
    virtual void Pause(DWORD milliseconds) = 0;

protected:
    ~IKivTransferClock() = default;
};

// The clock the routes use: the system's Sleep unless a test replaced it.
IKivTransferClock& TransferClock();
// Replaces the clock the routes use (null: the system's again); answers the one it replaced.
IKivTransferClock* SetTransferClock(IKivTransferClock* clock);

// A replacement for the length of a scope.
class CKivTransferClockOverride {
public:
    explicit CKivTransferClockOverride(IKivTransferClock& clock) : m_previous(SetTransferClock(&clock)) {}
    ~CKivTransferClockOverride() { SetTransferClock(m_previous); }
    CKivTransferClockOverride(const CKivTransferClockOverride&) = delete;
    CKivTransferClockOverride& operator=(const CKivTransferClockOverride&) = delete;

private:
    IKivTransferClock* m_previous;
};
