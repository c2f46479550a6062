#pragma once
// One client's registration for changes of one folder. It lives in one of the change service's
// two rings at a time; the service holds one reference while it is registered, a delivery in
// progress holds another, so that a removal during the client's callback frees nothing in use.
#include "Components/Kivlink/model/NamedRing.h"

#include "com/ComPtr.h"

#include <windows.h>

class CKivNotificationSink : public NamedRing<CKivNotificationSink> {
public:
    CKivNotificationSink(long token, IUnknown* sink, const CKivString& path)
        : m_token(token),
          m_sink(sink),
          m_path(path)
    {
    }

    // The folder exactly as the client gave it: what it is compared with and called back with.
    const CKivString& GetName() const override { return m_path; }
    long GetToken() const { return m_token; }
    const tolv::com::com_ptr<IUnknown>& Sink() const { return m_sink; }

    // GetTickCount of the last change reported for the folder; 0 before the first.
    DWORD ChangeStamp() const { return m_changeStamp; }
    void SetChangeStamp(DWORD stamp) { m_changeStamp = stamp; }

private:
    const long m_token;
    const tolv::com::com_ptr<IUnknown> m_sink;
    const CKivString m_path;
    DWORD m_changeStamp = 0;
};
