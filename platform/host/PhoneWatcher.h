// The host's ear on the phone: a KivProxyServer object in the host's apartment with the host's
// sink advised on its _IKivProxyServerEvents.
//
// Owns the proxy object and the sink until Stop (or its destruction). Threads: the host's main
// thread; the events arrive there while it pumps messages.
#pragma once

#include <windows.h>

#include "KivProxyLib.h"
#include "com/ComPtr.h"
#include "platform/host/PhoneEventSink.h"

namespace host {

class CPhoneWatcher {
public:
    CPhoneWatcher() noexcept = default;
    ~CPhoneWatcher() { Stop(); }
    CPhoneWatcher(const CPhoneWatcher&) = delete;
    CPhoneWatcher& operator=(const CPhoneWatcher&) = delete;

    // Creates the proxy (waiting out a server that is just ending) and advises the sink.
    HRESULT Start(IPhoneListener* listener) noexcept;
    void Stop() noexcept;

private:
    tolv::com::com_ptr<IKivProxyServer> m_proxy;
    tolv::com::com_ptr<tolv::com::ComObject<CPhoneEventSink>> m_sink;
    tolv::com::com_ptr<IConnectionPoint> m_point;
    DWORD m_cookie = 0;
};

}  // namespace host
