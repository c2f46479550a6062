#include "WorkerThread.h"

#include <process.h>

namespace tolv::plugins {

bool CWorkerThread::Start(std::function<void()> body)
{
    Join();
    m_body = std::move(body);
    m_thread.reset(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &CWorkerThread::Main, this, CREATE_SUSPENDED, nullptr)));
    if (!m_thread)
        return false;
    ResumeThread(m_thread.get());
    return true;
}

void CWorkerThread::Join()
{
    if (!m_thread)
        return;
    WaitForSingleObject(m_thread.get(), INFINITE);
    m_thread.reset();
}

unsigned __stdcall CWorkerThread::Main(void* self)
{
    static_cast<CWorkerThread*>(self)->m_body();
    return 0;
}

}  // namespace tolv::plugins
