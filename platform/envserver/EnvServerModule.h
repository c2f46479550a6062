// The server's module: counts the objects and locks of its clients and tells the process
// thread when the last one has gone, so that the server can end like any local server.
#pragma once

#include "com/Module.h"
#include "com/UniqueHandle.h"

namespace envserver {

class CEnvServerModule final : public tolv::com::Module {
public:
    // How long the server stays after its last client, for a client that comes right back.
    static constexpr DWORD kGracePeriodMs = 2000;

    CEnvServerModule();

    LONG Lock() noexcept override;
    LONG Unlock() noexcept override;

    // The process thread's loop: returns once the server has had no client for the grace
    // period, with its class objects suspended so that no new client arrives meanwhile.
    // A server that nobody uses after its start ends the same way.
    void RunUntilIdle() noexcept;
    bool IsReady() const noexcept { return m_idle.valid(); }

private:
    tolv::com::unique_event m_idle;
};

}  // namespace envserver
