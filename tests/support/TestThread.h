#pragma once
// A Win32 thread running one function; joined when it goes out of scope.
#include "com/UniqueHandle.h"

#include <process.h>
#include <functional>
#include <utility>

class TestThread {
public:
    explicit TestThread(std::function<void()> body) : m_body(std::move(body))
    {
        m_thread.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &TestThread::Main, this, 0, nullptr)));
    }
    ~TestThread() { Join(); }
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;

    bool Started() const { return m_thread.valid(); }
    bool Join(DWORD timeoutMs = INFINITE)
    {
        return !m_thread.valid() || WaitForSingleObject(m_thread.get(), timeoutMs) == WAIT_OBJECT_0;
    }

private:
    static unsigned __stdcall Main(void* self)
    {
        static_cast<TestThread*>(self)->m_body();
        return 0;
    }

    std::function<void()> m_body;
    tolv::com::unique_handle m_thread;
};
