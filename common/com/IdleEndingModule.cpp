#include "com/IdleEndingModule.h"

namespace tolv::com {

IdleEndingModule::IdleEndingModule(DWORD gracePeriodMs) : m_gracePeriodMs(gracePeriodMs)
{
    // Idle from the start: a server started without a client ends by itself.
    m_idle.create(true, true);
}

LONG IdleEndingModule::Lock() noexcept
{
    InterlockedIncrement(&m_arrivals);
    const LONG count = Module::Lock();
    m_idle.reset();
    return count;
}

LONG IdleEndingModule::Unlock() noexcept
{
    const LONG count = Module::Unlock();
    if (count == 0) {
        m_idle.set();
    }
    return count;
}

void IdleEndingModule::WaitForIdle() noexcept
{
    for (;;) {
        m_idle.wait();
        if (GetLockCount() == 0) {
            return;
        }
        // A Lock that came between an Unlock's count and its signal: wait for the next last
        // Unlock, looking once more in case it came between the check and the reset.
        m_idle.reset();
        if (GetLockCount() == 0) {
            m_idle.set();
        }
    }
}

void IdleEndingModule::ServeUntilIdle(ClassObjectTable& classes) noexcept
{
    for (;;) {
        WaitForIdle();
        const LONG arrivals = InterlockedCompareExchange(&m_arrivals, 0, 0);
        Sleep(m_gracePeriodMs);
        if (GetLockCount() == 0 && InterlockedCompareExchange(&m_arrivals, 0, 0) == arrivals) {
            break;
        }
    }
    // From here on COM starts a new server for a new client. One that was served between
    // the last look and the revocation keeps its objects until it releases them.
    classes.RevokeClassObjects();
    WaitForIdle();
}

}  // namespace tolv::com
