// The host's sink on the phone proxy's _IKivProxyServerEvents: of the six events it hands on
// PhoneConnected (with the phone's model) and PhoneDisconnected, and accepts the others.
//
// Reference counted; the proxy holds it while advised. Its listener (not owned) is cut with
// Detach before it goes. Called on the thread that advised it (the host's main thread).
#pragma once

#include <string>

#include "KivProxyLib.h"
#include "com/ComObject.h"
#include "com/EventSinkDispatch.h"

namespace host {

// Empty model: no phone any more.
class IPhoneListener {
public:
    virtual void OnPhoneChanged(const std::wstring& model) = 0;

protected:
    ~IPhoneListener() = default;
};

class CPhoneEventSink : public tolv::com::EventSinkDispatch {
public:
    using interface_map =
        tolv::com::interface_map<IDispatch, tolv::com::entry_iid<&DIID__IKivProxyServerEvents, IDispatch>>;

    static constexpr DISPID kPhoneConnected = 1;
    static constexpr DISPID kPhoneDisconnected = 6;

    explicit CPhoneEventSink(IPhoneListener* listener) noexcept : m_listener(listener) {}
    virtual ~CPhoneEventSink() = default;

    void Detach() noexcept { m_listener = nullptr; }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    IPhoneListener* m_listener;
};

}  // namespace host
