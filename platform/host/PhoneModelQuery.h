// The host's first look at the phone: the model of a phone connected before the host started,
// asked on a thread of its own. GetPhoneName waits for a phone as Kivlink does (up to its
// connection time-out) when there is none, and a single-threaded apartment blocked in a call
// leaves its window's posted input waiting; so the question goes to a proxy object of the
// query's own thread, and the answer comes back to the window as a posted message.
//
// Owns the thread and waits for it in Wait or at its end. Start and Wait belong to the host's
// main thread.
#pragma once

#include <string>

#include <windows.h>

#include "com/UniqueHandle.h"

namespace host {

class CPhoneModelQuery {
public:
    CPhoneModelQuery() noexcept = default;
    ~CPhoneModelQuery() { Wait(); }
    CPhoneModelQuery(const CPhoneModelQuery&) = delete;
    CPhoneModelQuery& operator=(const CPhoneModelQuery&) = delete;

    // Asks on a new thread; `window` receives `message` once the answer is there.
    HRESULT Start(HWND window, UINT message) noexcept;
    // Waits for the thread's end; the model, empty when no phone (or no proxy) answered.
    std::wstring Wait() noexcept;

private:
    static DWORD WINAPI Ask(void* query);

    HWND m_window = nullptr;
    UINT m_message = 0;
    std::wstring m_model;
    tolv::com::unique_handle m_thread;
};

}  // namespace host
