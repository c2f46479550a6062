#include "plugins/common/RefreshSerializer.h"

#include <process.h>

#include <new>

#include "com/ComInit.h"
#include "com/ComPtr.h"

namespace tolv::plugins {

struct CRefreshSerializer::Work {
    CRefreshSerializer* serializer;
    tolv::com::com_ptr<IUnknown> owner;
    std::function<void()> body;
};

bool WaitHandlingSentMessages(HANDLE handle, DWORD timeoutMs) noexcept
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        const DWORD left = timeoutMs == INFINITE ? INFINITE : (elapsed >= timeoutMs ? 0 : timeoutMs - elapsed);
        const DWORD result = MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED_0) {
            return true;
        }
        if (result != WAIT_OBJECT_0 + 1) {
            return false;
        }
        // Peeking delivers the sent messages and leaves posted ones where they are.
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

CRefreshSerializer::CRefreshSerializer() noexcept
{
    m_mutex.reset(CreateMutexW(nullptr, FALSE, nullptr));
    (void)m_idle.create(true, true);
}

bool CRefreshSerializer::Disconnected() const noexcept
{
    tolv::com::auto_lock lock(m_lock);
    return m_disconnected;
}

bool CRefreshSerializer::Idle() const noexcept
{
    tolv::com::auto_lock lock(m_lock);
    return m_idleFlag;
}

HRESULT CRefreshSerializer::Schedule(IUnknown* owner, std::function<void()> body) noexcept
{
    if (!Valid()) {
        return E_UNEXPECTED;
    }
    auto* work = new (std::nothrow) Work{this, tolv::com::com_ptr<IUnknown>(owner), {}};
    if (work == nullptr) {
        return E_OUTOFMEMORY;
    }
    try {
        work->body = std::move(body);
    } catch (...) {
        delete work;
        return E_OUTOFMEMORY;
    }
    {
        tolv::com::auto_lock lock(m_lock);
        if (m_disconnected) {
            delete work;
            return S_FALSE;
        }
        ++m_pending;
        m_idleFlag = false;
        m_idle.reset();
    }
    tolv::com::unique_handle thread(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &WorkerMain, work, CREATE_SUSPENDED, nullptr)));
    if (!thread) {
        const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
        delete work;
        CountDown();
        return FAILED(hr) ? hr : E_FAIL;
    }
    ResumeThread(thread.get());
    return S_OK;
}

unsigned __stdcall CRefreshSerializer::WorkerMain(void* parameter)
{
    Work* work = static_cast<Work*>(parameter);
    {
        tolv::com::com_init apartment(COINIT_APARTMENTTHREADED);
        work->serializer->RunInTurn(work->body);
        // The owner's last reference may go here: the work goes inside the apartment.
        delete work;
    }
    return 0;
}

void CRefreshSerializer::RunInTurn(const std::function<void()>& body) noexcept
{
    WaitHandlingSentMessages(m_mutex.get(), INFINITE);
    if (!Disconnected()) {
        try {
            body();
        } catch (...) {
        }
    }
    CountDown();
    ReleaseMutex(m_mutex.get());
}

bool CRefreshSerializer::RunNow(const std::function<void()>& body) noexcept
{
    if (!Valid()) {
        return false;
    }
    {
        tolv::com::auto_lock lock(m_lock);
        if (m_disconnected) {
            return false;
        }
        ++m_pending;
        m_idleFlag = false;
        m_idle.reset();
    }
    RunInTurn(body);
    return true;
}

void CRefreshSerializer::CountDown() noexcept
{
    tolv::com::auto_lock lock(m_lock);
    if (--m_pending <= 0) {
        m_pending = 0;
        m_idleFlag = true;
        m_idle.set();
    }
}

bool CRefreshSerializer::Disconnect(DWORD timeoutMs) noexcept
{
    {
        tolv::com::auto_lock lock(m_lock);
        m_disconnected = true;
    }
    return !Valid() || WaitHandlingSentMessages(m_idle.get(), timeoutMs);
}

}  // namespace tolv::plugins
