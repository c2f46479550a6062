// The sink kivctl advises on KivVolume2's IKivAllServerEvents point: a plain IDispatch that
// decodes the events it knows and accepts every other dispatch identifier without effect
// (the server also sends 1 and 2, which the type library does not declare).
#pragma once

#include "com/ComObject.h"
#include "com/EventSinkDispatch.h"
#include "tools/kivctl/EventObserver.h"

#include "KivlinkLib.h"

class CKivctlEventSink : public tolv::com::EventSinkDispatch {
public:
    using interface_map =
        tolv::com::interface_map<IDispatch, tolv::com::entry_iid<&DIID_IKivAllServerEvents, IDispatch>>;

    static constexpr DISPID kDeviceConnected = 1;
    static constexpr DISPID kDeviceDisconnected = 2;
    static constexpr DISPID kOperationProgress = 3;
    static constexpr DISPID kOperationCompletion = 4;

    // Events that arrive while no observer is set are dropped. The observer must outlive
    // its setting; clear it before it goes.
    void SetObserver(IKivctlEventObserver* observer) { m_observer = observer; }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

private:
    HRESULT DeviceConnected(const DISPPARAMS& params);
    HRESULT DeviceDisconnected(const DISPPARAMS& params);
    HRESULT OperationProgress(const DISPPARAMS& params);
    HRESULT OperationCompletion(const DISPPARAMS& params);

    IKivctlEventObserver* m_observer = nullptr;
};
