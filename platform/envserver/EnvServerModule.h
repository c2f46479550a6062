// The server's module: counts the objects and locks of its clients and tells the process
// thread when the last one has gone, so that the server can end like any local server.
#pragma once

#include "com/ClassFactory.h"
#include "com/Module.h"
#include "com/UniqueHandle.h"

namespace envserver {

class CEnvServerModule final : public tolv::com::Module {
public:
    // How long the server stays without any client, for a client that comes right back.
    static constexpr DWORD kGracePeriodMs = 2000;

    CEnvServerModule();

    LONG Lock() noexcept override;
    LONG Unlock() noexcept override;

    // The process thread's part: returns once the server has been without a client for a
    // whole grace period (also right after its start, when nobody comes), with its class
    // objects revoked and every object that was still handed out released again.
    void ServeUntilIdle(tolv::com::ClassObjectTable& classes) noexcept;
    bool IsReady() const noexcept { return m_idle.valid(); }

private:
    void WaitForIdle() noexcept;

    tolv::com::unique_event m_idle;
    // Counts every Lock, so that a client that came and went during the grace period is seen.
    volatile LONG m_arrivals = 0;
};

}  // namespace envserver
