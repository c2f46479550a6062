#include "Mp3WorkerThread.h"

#include <process.h>

namespace tolv::tunepane {

bool CMp3WorkerThread::Start(std::function<void()> body)
{
    Join();
    m_body = std::move(body);
    m_thread.reset(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &CMp3WorkerThread::Main, this, CREATE_SUSPENDED, nullptr)));
    if (!m_thread)
        return false;
    ResumeThread(m_thread.get());
    return true;
}

void CMp3WorkerThread::Join()
{
    if (!m_thread)
        return;
    WaitForSingleObject(m_thread.get(), INFINITE);
    m_thread.reset();
}

unsigned __stdcall CMp3WorkerThread::Main(void* self)
{
    static_cast<CMp3WorkerThread*>(self)->m_body();
    return 0;
}

}  // namespace tolv::tunepane
