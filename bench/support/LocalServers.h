#pragma once
// The objects of the local servers a benchmark measures, created and released under the call
// watchdog (a creation starts the server, a release may wait on it), and the wait for those
// servers to end once their last client has gone: a scratch folder can go only when no
// server holds its files any more.
#include "CallWatchdog.h"

#include "com/ComPtr.h"

#include <windows.h>
#include <ole2.h>

#include <string>

template <class Interface>
HRESULT CreateLocal(REFCLSID clsid, REFIID iid, tolv::com::com_ptr<Interface>& object, CCallWatchdog& watchdog,
                    const char* what)
{
    CWatchedCall watched(&watchdog, std::string("creating ") + what);
    return CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, iid, reinterpret_cast<void**>(object.put()));
}

template <class Interface>
void ReleaseWatched(tolv::com::com_ptr<Interface>& object, CCallWatchdog& watchdog, const char* what)
{
    CWatchedCall watched(&watchdog, std::string("releasing ") + what);
    object.reset();
}

// Prints a note when a process of that program still runs after the servers' own idle times.
void WaitForServerEnd(const wchar_t* program);
