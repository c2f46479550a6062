#include "platform/phonesim/PhoneSimModule.h"

namespace phonesim {

CPhoneSimModule::CPhoneSimModule()
{
    // Idle from the start: a server that nobody uses ends by itself.
    m_idle.create(true, true);
}

LONG CPhoneSimModule::Lock() noexcept
{
    InterlockedIncrement(&m_arrivals);
    const LONG count = Module::Lock();
    m_idle.reset();
    return count;
}

LONG CPhoneSimModule::Unlock() noexcept
{
    const LONG count = Module::Unlock();
    if (count == 0) {
        m_idle.set();
    }
    return count;
}

void CPhoneSimModule::WaitForIdle() noexcept
{
    for (;;) {
        m_idle.wait();
        if (GetLockCount() == 0) {
            return;
        }
        // A Lock came between an Unlock's count and its signal: wait for the next last
        // Unlock, looking once more in case it came between the check and the reset.
        m_idle.reset();
        if (GetLockCount() == 0) {
            m_idle.set();
        }
    }
}

void CPhoneSimModule::ServeUntilIdle(tolv::com::ClassObjectTable& classes) noexcept
{
    for (;;) {
        WaitForIdle();
        const LONG arrivals = InterlockedCompareExchange(&m_arrivals, 0, 0);
        Sleep(kGracePeriodMs);
        if (GetLockCount() == 0 && InterlockedCompareExchange(&m_arrivals, 0, 0) == arrivals) {
            break;
        }
    }
    // From here on COM starts a new server for a new client. One that came in between the
    // last look and the revocation keeps its objects (and phones it connects) until it lets go.
    classes.RevokeClassObjects();
    WaitForIdle();
}

}  // namespace phonesim
