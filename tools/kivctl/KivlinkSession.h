// kivctl's connection to Kivlink: one object in the server's process (KivVolume2, the
// one-volume KivMobilePhone, or KivGeneral) and, when a command needs them, kivctl's sink advised on
// KivVolume2's IKivAllServerEvents point or kivctl's change sink registered with the
// one-volume object.
#pragma once

#include <string>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/StubRegistrationKeeper.h"
#include "tools/kivctl/EventSink.h"
#include "tools/kivctl/NotifySink.h"

#include "KivlinkLib.h"

class CKivlinkSession {
public:
    CKivlinkSession() = default;
    ~CKivlinkSession();
    CKivlinkSession(const CKivlinkSession&) = delete;
    CKivlinkSession& operator=(const CKivlinkSession&) = delete;

    // Creates the object in Kivlink's process (COM starts the server when none runs). A
    // server that is just ending refuses new objects for a moment: creation is tried again
    // for a while then.
    HRESULT Open();
    IKivVolume2* Volume() const { return m_volume.get(); }
    // The same for the one-volume class, with the same retries.
    HRESULT OpenOneVolume();
    IKivVolume* OneVolume() const { return m_oneVolume.get(); }
    // The phone's identity, status and ports (KivGeneral), with the same retries.
    HRESULT OpenGeneral();
    IKivGeneral* General() const { return m_general.get(); }

    // Routes the object's events to `observer` (null: drop them), advising the sink on first
    // use. The observer must stay until it is replaced or the session ends.
    HRESULT Listen(IKivctlEventObserver* observer);

    // Registers kivctl's change sink for `path` with the one-volume object; its changes go to
    // `observer` until StopWatchingFolder. One folder at a time.
    HRESULT WatchFolder(const std::wstring& path, IKivctlChangeObserver* observer);
    // Removes the registration; the answer is RemoveChangeNotification's.
    HRESULT StopWatchingFolder();

    // The text for a failed call on the object.
    std::wstring Describe(HRESULT hr) const;

private:
    void StopListening();

    tolv::com::com_ptr<IKivVolume2> m_volume;
    // Kivlink lets the sink go while its last event call may still be finishing here.
    tolv::com::stub_registration_keeper m_sinkInterfaces;
    tolv::com::com_ptr<tolv::com::ComObject<CKivctlEventSink>> m_sink;
    tolv::com::com_ptr<IConnectionPoint> m_point;
    DWORD m_cookie = 0;

    tolv::com::com_ptr<IKivVolume> m_oneVolume;
    // Kivlink lets the change sink go while its last OnChange call may still be finishing.
    tolv::com::stub_registration_keeper m_changeSinkInterfaces;
    tolv::com::com_ptr<tolv::com::ComObject<CKivctlNotifySink>> m_changeSink;
    LONG m_changeToken = 0;

    tolv::com::com_ptr<IKivGeneral> m_general;
};
