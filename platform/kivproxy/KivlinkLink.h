// The Kivlink objects of one proxy object, in Kivlink's process: its KivVolume2 (created with
// the proxy, its events relayed to the proxy) and, on first use, a KivMobilePhone. All of them
// belong to the proxy object's apartment.
#pragma once

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/StubRegistrationKeeper.h"
#include "platform/kivproxy/KivlinkEventRelay.h"

#include "KivlinkLib.h"

namespace kivproxy {

class CKivlinkLink {
public:
    explicit CKivlinkLink(IKivlinkEventTarget& target) noexcept : m_target(target) {}
    ~CKivlinkLink() { Close(); }
    CKivlinkLink(const CKivlinkLink&) = delete;
    CKivlinkLink& operator=(const CKivlinkLink&) = delete;

    // Creates the KivVolume2 object (COM starts Kivlink when none runs; a Kivlink that is just
    // ending is waited out) and advises the relay on it.
    HRESULT Open() noexcept;
    // Unadvises and lets the objects go; the relay is detached, so no event arrives after.
    void Close() noexcept;
    // After a call found Kivlink gone: lets the dead objects go without calling them and opens
    // anew in the Kivlink COM starts.
    HRESULT Reopen() noexcept;

    HRESULT Get(tolv::com::com_ptr<IKivVolume2>& volume) noexcept;
    HRESULT Get(tolv::com::com_ptr<IKivVolume>& oneVolume) noexcept;

    // A caller's IKivNotifySink goes to Kivlink through this process: its stub stays for as
    // long as the link does.
    HRESULT KeepChangeSinkStubs() noexcept;

private:
    void Drop() noexcept;

    IKivlinkEventTarget& m_target;
    // Kivlink lets the relay go while its last event call may still be finishing here.
    tolv::com::stub_registration_keeper m_relayInterfaces;
    tolv::com::stub_registration_keeper m_changeSinkInterfaces;
    tolv::com::com_ptr<tolv::com::InternalComObject<CKivlinkEventRelay>> m_relay;
    tolv::com::com_ptr<IKivVolume2> m_volume;
    tolv::com::com_ptr<IConnectionPoint> m_point;
    DWORD m_cookie = 0;
    tolv::com::com_ptr<IKivVolume> m_oneVolume;
};

}  // namespace kivproxy
