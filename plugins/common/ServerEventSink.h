#pragma once
// The plug-ins' sink for the phone server's IKivAllServerEvents: advised on one proxy object
// for the length of one transfer. It decodes the four declared events and passes them to its
// handlers, which hand them on to a delegate when one is set; every other dispatch id is
// accepted and ignored. Called on the thread that advised it (a single-threaded apartment).
//
// Reference counted like any COM object: the proxy holds it while it is advised, its owner
// holds it for the transfer and unadvises before letting go.
#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/EventSinkDispatch.h"

#include "KivlinkLib.h"

#include <string>

namespace tolv::plugins {

// What the sink hands on when its handlers are not overridden.
class IServerEventDelegate {
public:
    virtual void KivOperationProgress(long action, const std::wstring& path, long percentage, VARIANT_BOOL* cancel) = 0;
    virtual void KivOperationCompletion(long action, const std::wstring& path, HRESULT result) = 0;
    virtual void KivOnChange(long change, const std::wstring& info) = 0;
    virtual void KivOnEvent(long event, const std::wstring& description, VARIANT* data) = 0;

protected:
    ~IServerEventDelegate() = default;
};

class CServerEventSink : public tolv::com::EventSinkDispatch {
public:
    using interface_map =
        tolv::com::interface_map<IDispatch, tolv::com::entry_iid<&DIID_IKivAllServerEvents, IDispatch>>;

    static constexpr DISPID kOperationProgress = 3;
    static constexpr DISPID kOperationCompletion = 4;
    static constexpr DISPID kOnChange = 5;
    static constexpr DISPID kOnEvent = 6;
    static constexpr DWORD kNotConnected = 0xFEFEFEFE;

    virtual ~CServerEventSink();

    // Connects to `source`'s IKivAllServerEvents point (after leaving an earlier one); the
    // advise's result.
    HRESULT Advise(IUnknown* source, IServerEventDelegate* delegate);
    // Leaves the point; S_OK when not connected.
    HRESULT Unadvise();
    bool IsConnected() const { return m_cookie != kNotConnected; }
    void FinalRelease() { Unadvise(); }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

protected:
    virtual HRESULT KivOperationProgress(long action, const std::wstring& path, long percentage, VARIANT_BOOL* cancel);
    virtual HRESULT KivOperationCompletion(long action, const std::wstring& path, HRESULT result);
    virtual HRESULT KivOnChange(long change, const std::wstring& info);
    virtual HRESULT KivOnEvent(long event, const std::wstring& description, VARIANT* data);

private:
    HRESULT Dispatch(DISPID id, const DISPPARAMS& params);

    tolv::com::com_ptr<IConnectionPoint> m_point;
    DWORD m_cookie = kNotConnected;
    IServerEventDelegate* m_delegate = nullptr;
};

}  // namespace tolv::plugins
