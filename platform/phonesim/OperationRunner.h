// The simulator's operation thread: runs the long operations one after the other, in the
// order they were started, and raises their events.
#pragma once

#include <deque>
#include <memory>
#include <set>

#include <windows.h>

#include "com/CriticalSection.h"
#include "com/UniqueHandle.h"
#include "platform/phonesim/LongOperation.h"

namespace phonesim {

enum RequestState : LONG { requestUnknown = 0, requestPending = 1, requestCompleted = 2 };

class COperationRunner {
public:
    COperationRunner() = default;
    ~COperationRunner();
    COperationRunner(const COperationRunner&) = delete;
    COperationRunner& operator=(const COperationRunner&) = delete;

    // Gives the operation its request id and queues it; the thread starts on first use.
    // With an armed early-event fault the call returns only once the operation's first event
    // has been answered, or the fault's time after it went out, so that the event reaches
    // the client before the id does.
    HRESULT Start(const std::shared_ptr<CLongOperation>& operation, LONG& requestId);
    // False for an id that is not waiting or running.
    bool Cancel(LONG requestId);
    RequestState State(LONG requestId) const;
    // Cancels what is queued or running and ends the thread.
    void Stop() noexcept;

private:
    static unsigned __stdcall ThreadMain(void* self);
    void Run();
    HRESULT EnsureThread();

    mutable tolv::com::critical_section m_lock;
    std::deque<std::shared_ptr<CLongOperation>> m_queue;
    std::shared_ptr<CLongOperation> m_running;
    std::set<LONG> m_completed;
    tolv::com::unique_event m_work;
    tolv::com::unique_handle m_thread;
    bool m_stopping = false;
    volatile LONG m_lastId = 0;
};

}  // namespace phonesim
