// An object creation held half-way, and one run on a thread of its own: what a client's
// activation looks like to a server that decides to quit while it is under way.
#pragma once

#include <windows.h>
#include <process.h>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/UniqueHandle.h"

// The create function of a class factory for T that signals `started` and makes its object
// only once the test sets `release`.
template <class T>
struct HeldCreation {
    static inline tolv::com::unique_event started;
    static inline tolv::com::unique_event release;

    static HRESULT Prepare()
    {
        HRESULT hr = started.create(true, false);
        return SUCCEEDED(hr) ? release.create(true, false) : hr;
    }
    static HRESULT Create(IUnknown* outer, REFIID iid, void** result)
    {
        started.set();
        release.wait();
        return tolv::com::ComObject<T>::CreateQueried(outer, iid, result);
    }
};

// factory->CreateInstance(IID_IUnknown) on a thread of its own, started at construction.
class CreationOnThread {
public:
    explicit CreationOnThread(IClassFactory* factory) : m_factory(factory)
    {
        m_thread.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Run, this, 0, nullptr)));
    }
    // Bounded: a test that failed before releasing a held creation must still end.
    ~CreationOnThread() { Finish(30000); }
    CreationOnThread(const CreationOnThread&) = delete;
    CreationOnThread& operator=(const CreationOnThread&) = delete;

    bool Started() const { return m_thread.valid(); }
    // True when the creation has returned within the time.
    bool Finish(DWORD timeoutMs)
    {
        return !m_thread || WaitForSingleObject(m_thread.get(), timeoutMs) == WAIT_OBJECT_0;
    }
    HRESULT Result() const { return m_hr; }
    tolv::com::com_ptr<IUnknown>& Created() { return m_created; }

private:
    static unsigned __stdcall Run(void* self)
    {
        auto* call = static_cast<CreationOnThread*>(self);
        call->m_hr = call->m_factory->CreateInstance(nullptr, IID_IUnknown, call->m_created.put_void());
        return 0;
    }

    IClassFactory* m_factory;
    HRESULT m_hr = E_PENDING;
    tolv::com::com_ptr<IUnknown> m_created;
    tolv::com::unique_handle m_thread;
};
