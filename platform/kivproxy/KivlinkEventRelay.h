// The sink the proxy advises on its KivVolume2 object's IKivAllServerEvents point: it hands
// every event, whatever its dispatch identifier, to the proxy object that owns it. Kivlink
// holds it through a stub and may let it go long after the proxy object has gone, so the
// owner detaches itself (SetTarget(nullptr)) before it goes and later events are dropped.
#pragma once

#include "com/ComObject.h"

#include "KivlinkLib.h"

namespace kivproxy {

class IKivlinkEventTarget {
public:
    // The arguments as Invoke received them (reversed); a by-reference cancel flag may be
    // written and travels back to Kivlink.
    virtual void OnKivlinkEvent(DISPID id, DISPPARAMS& params) noexcept = 0;

protected:
    ~IKivlinkEventTarget() = default;
};

class CKivlinkEventRelay : public IDispatch {
public:
    using interface_map =
        tolv::com::interface_map<IDispatch, tolv::com::entry_iid<&DIID_IKivAllServerEvents, IDispatch>>;

    void SetTarget(IKivlinkEventTarget* target) noexcept { m_target = target; }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    IKivlinkEventTarget* m_target = nullptr;
};

}  // namespace kivproxy
