#pragma once
// A thread of a transfer job (the page button's job, the progress dialog's transfer): created
// suspended, resumed once its owner holds it, and joined when the owner lets it go, so no
// handle stays open and nothing the thread uses goes before it ends.
#include "com/UniqueHandle.h"

#include <functional>

namespace tolv::plugins {

class CWorkerThread {
public:
    CWorkerThread() = default;
    ~CWorkerThread() { Join(); }
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Joins an earlier thread, then runs `body` on a new one; false when it could not start.
    bool Start(std::function<void()> body);
    // Waits for the end of the thread, if one runs.
    void Join();
    bool Started() const { return m_thread.valid(); }

private:
    static unsigned __stdcall Main(void* self);

    std::function<void()> m_body;
    tolv::com::unique_handle m_thread;
};

}  // namespace tolv::plugins
