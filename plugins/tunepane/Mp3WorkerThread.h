#pragma once
// A thread of the upload (the Load button's job, the transfer of the progress dialog): created
// suspended, resumed once its owner holds it, and joined when the owner lets it go, so no
// handle stays open and nothing the thread uses goes before it ends.
#include "com/UniqueHandle.h"

#include <functional>

namespace tolv::tunepane {

class CMp3WorkerThread {
public:
    CMp3WorkerThread() = default;
    ~CMp3WorkerThread() { Join(); }
    CMp3WorkerThread(const CMp3WorkerThread&) = delete;
    CMp3WorkerThread& operator=(const CMp3WorkerThread&) = delete;

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

}  // namespace tolv::tunepane
