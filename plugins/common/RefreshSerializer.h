#pragma once
// A page's refreshes of its phone side: each one on a worker thread of its own (created
// suspended, its handle let go once it runs), one at a time in request order through one mutex,
// and a count of pending ones with a manual-reset event that is set whenever none is pending,
// so that a disconnection can wait for the last one. Once disconnected, nothing new starts and
// pending workers end without running their body.
//
// Threads: Schedule, RunNow and Disconnect come from the page's window thread; bodies run on
// the workers (each in a single-threaded apartment of its own) or, for RunNow, on the caller.
// Waits on the window thread keep handling messages that other threads send to its windows,
// so that a body updating the page's controls never blocks on the thread that waits for it.
#include <windows.h>
#include <unknwn.h>

#include <functional>

#include "com/CriticalSection.h"
#include "com/UniqueHandle.h"

namespace tolv::plugins {

class CRefreshSerializer {
public:
    CRefreshSerializer() noexcept;
    CRefreshSerializer(const CRefreshSerializer&) = delete;
    CRefreshSerializer& operator=(const CRefreshSerializer&) = delete;

    // False when the mutex or the event could not be made; nothing then runs.
    bool Valid() const noexcept { return m_mutex.valid() && m_idle.valid(); }

    // Starts a worker that runs `body` in its turn. `owner` is referenced until the worker
    // ends. S_FALSE when disconnected (nothing scheduled).
    HRESULT Schedule(IUnknown* owner, std::function<void()> body) noexcept;
    // Runs `body` on the calling thread in its turn; false when disconnected.
    bool RunNow(const std::function<void()>& body) noexcept;

    // Sets the disconnected flag, then waits up to `timeoutMs` for the pending refreshes to
    // end; false when they had not ended by then.
    bool Disconnect(DWORD timeoutMs) noexcept;
    bool Disconnected() const noexcept;

    // Whether no refresh is pending (the event-set flag).
    bool Idle() const noexcept;

private:
    struct Work;
    static unsigned __stdcall WorkerMain(void* work);
    void RunInTurn(const std::function<void()>& body) noexcept;
    void CountDown() noexcept;

    mutable tolv::com::critical_section m_lock;  // the flags and the count
    tolv::com::unique_handle m_mutex;  // one refresh at a time
    tolv::com::unique_event m_idle;  // set while none is pending
    long m_pending = 0;
    bool m_idleFlag = true;
    bool m_disconnected = false;
};

// Waits for `handle` while handling the messages other threads send to the caller's windows;
// true when it was signalled (or, for a mutex, acquired) within `timeoutMs`.
bool WaitHandlingSentMessages(HANDLE handle, DWORD timeoutMs) noexcept;

}  // namespace tolv::plugins
