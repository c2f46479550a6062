// The module of a local server that ends by itself: it counts its clients' objects and locks
// and lets the process thread return once nobody has used the server for a grace period.
#pragma once

#include "com/ClassFactory.h"
#include "com/Module.h"
#include "com/UniqueHandle.h"

namespace tolv::com {

class IdleEndingModule : public Module {
public:
    // The grace period lets a client that comes right back (a control command followed by
    // the program it prepared, say) find the same server.
    explicit IdleEndingModule(DWORD gracePeriodMs);

    LONG Lock() noexcept override;
    LONG Unlock() noexcept override;

    // The process thread's part: returns once the server has been without a client for a
    // whole grace period (also right after its start, when nobody comes), with its class
    // objects revoked and every object that was still handed out released again.
    void ServeUntilIdle(ClassObjectTable& classes) noexcept;
    bool IsReady() const noexcept { return m_idle.valid(); }

private:
    void WaitForIdle() noexcept;

    const DWORD m_gracePeriodMs;
    unique_event m_idle;
    // Counts every Lock, so that a client that came and went during the grace period is seen.
    volatile LONG m_arrivals = 0;
};

}  // namespace tolv::com
