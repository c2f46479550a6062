// The server's module: its lock count holds one lock per object handed to a client, per
// running long operation and per connected phone. The server ends once the count has stayed
// at zero for a whole grace period.
#pragma once

#include "com/ClassFactory.h"
#include "com/Module.h"
#include "com/UniqueHandle.h"

namespace phonesim {

class CPhoneSimModule final : public tolv::com::Module {
public:
    // How long the server waits without clients or phones before it ends, for a client that
    // comes right back (a control command followed by Kivlink, say).
    static constexpr DWORD kGracePeriodMs = 2000;

    CPhoneSimModule();

    LONG Lock() noexcept override;
    LONG Unlock() noexcept override;

    // Returns once the server has been idle for a grace period, with its class objects
    // revoked and every object still handed out released again.
    void ServeUntilIdle(tolv::com::ClassObjectTable& classes) noexcept;
    bool IsReady() const noexcept { return m_idle.valid(); }

private:
    void WaitForIdle() noexcept;

    tolv::com::unique_event m_idle;
    // Counts every Lock, so that a lock taken and dropped during the grace period is seen.
    volatile LONG m_arrivals = 0;
};

}  // namespace phonesim
