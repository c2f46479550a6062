#pragma once
// The change-notification service: clients' folder-change sinks and the delayed calls to them.
// Registrations, removals, broadcasts and folder changes arrive on worker 4; the delayed calls
// are made on a thread of their own, so that a folder that changes several times in a row is
// reported once, after a quiet time.
#include "KivNotificationSink.h"
#include "KivOnChangeNotificationThread.h"

#include "com/CriticalSection.h"

#include <windows.h>

#include <string_view>

class CKivString;
class CTolvTrace;
class IKivServerServices;

class CKivNotificationHandler : private IKivChangeDelivery {
public:
    // The quiet time a registration must have seen since its last change before it is called.
    static constexpr DWORD HOLD_TIME_MS = 200;
    // The broadcast path that also makes both phone models forget everything they read.
    static constexpr std::wstring_view INVALIDATE_CACHE_CHANGE = L"\\<INVALIDATE_CACHE_CHANGE";

    CKivNotificationHandler(IKivServerServices& services, CTolvTrace* trace);
    ~CKivNotificationHandler();
    CKivNotificationHandler(const CKivNotificationHandler&) = delete;
    CKivNotificationHandler& operator=(const CKivNotificationHandler&) = delete;

    HRESULT Start();
    // Ends the thread and lets go of every client's sink; later registrations are refused.
    HRESULT Stop();

    HRESULT AddChangeNotification(const CKivString& path, IUnknown* sink, long* token);
    HRESULT RemoveChangeNotification(long token);
    HRESULT BroadcastChangeNotification(const CKivString& path);
    // phoneFolder: the folder's full phone name ("C:\Images\"); everything: every registration
    // changed, whatever its folder.
    HRESULT OnFolderChanged(const CKivString& phoneFolder, bool everything);

    LONG Registrations() const
    {
        return InterlockedCompareExchange(const_cast<volatile LONG*>(&m_registrations), 0, 0);
    }

private:
    HRESULT NotifySink() override;
    bool HasWaitingChanges() override;

    // Under the lock. The registration with the smallest token above `after`, in either ring.
    CKivNotificationSink* NextByToken(long after) const;
    CKivNotificationSink* FindByToken(long token) const;
    // Under the lock: takes a registration out of whichever ring holds it; the caller
    // releases it after leaving the lock. A client whose process has gone is unregistered
    // this way at its first failed call: every later call would fail the same way.
    void Unregister(CKivNotificationSink* registration);
    void CountRegistrations(LONG change);
    void PostInvalidateAll();

    IKivServerServices& m_services;
    CTolvTrace* m_trace;
    volatile LONG m_registrations = 0;
    volatile LONG m_tokens = 0;
    bool m_stopped = false;
    tolv::com::critical_section m_lock;
    CKivNotificationSink* m_changed = nullptr;
    CKivNotificationSink* m_unchanged = nullptr;
    CKivOnChangeNotificationThread m_thread;
};
