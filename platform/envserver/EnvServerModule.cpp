#include "platform/envserver/EnvServerModule.h"

#include "com/ClassFactory.h"

namespace envserver {

CEnvServerModule::CEnvServerModule()
{
    // Idle from the start: a server started without a client ends by itself.
    m_idle.create(true, true);
}

LONG CEnvServerModule::Lock() noexcept
{
    const LONG count = Module::Lock();
    m_idle.reset();
    return count;
}

LONG CEnvServerModule::Unlock() noexcept
{
    const LONG count = Module::Unlock();
    if (count == 0) {
        m_idle.set();
    }
    return count;
}

void CEnvServerModule::RunUntilIdle() noexcept
{
    for (;;) {
        m_idle.wait();
        Sleep(kGracePeriodMs);
        if (GetLockCount() != 0) {
            // Still served: wait for the next last Unlock. One that came between the check
            // and the reset would be lost without the second look.
            m_idle.reset();
            if (GetLockCount() == 0) {
                m_idle.set();
            }
            continue;
        }
        tolv::com::ClassObjectTable::SuspendClassObjects();
        // A client may have been served between the check and the suspension.
        if (GetLockCount() == 0) {
            return;
        }
        tolv::com::ClassObjectTable::ResumeClassObjects();
    }
}

}  // namespace envserver
