#pragma once
// The sink of the phone library's events on one binding's application object. Every event
// becomes a request record for the notification thread: posted, or, for events whose out
// arguments the library reads back, posted with a wait for the answer. Events arrive on COM's
// threads of the multithreaded apartment.
#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/EventSinkDispatch.h"
#include "trace/TolvTrace.h"

#include "SymbianConnect.h"

#include <windows.h>

class CKivWorker;
class CRequestData;

class CSCEventImp : public tolv::com::EventSinkDispatch {
public:
    using interface_map = tolv::com::interface_map<IDispatch, tolv::com::entry_iid<&DIID_ISCEvents, IDispatch>>;

    static constexpr DWORD NOT_ADVISED = 0xFEFEFEFE;

    // A new sink with one reference for the caller. Its number comes from a process-wide
    // counter; only number 1 forwards connects and disconnects, so that clients hear of each
    // once although every binding receives it.
    static HRESULT Create(tolv::com::com_ptr<CSCEventImp>& sink);

    // Keeps the source and the receiver; with a source, connects to its ISCEvents point.
    HRESULT Advise(ISCApplication* source, CKivWorker* receiver);
    // Disconnects from the source (if connected), drops it and every call still held by COM.
    void Unadvise();

    int SinkNumber() const { return m_sinkNumber; }
    DWORD Cookie() const { return m_cookie; }

    // IUnknown comes from InternalComObject: the sink does not hold the server, it lives as
    // long as its worker.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

protected:
    CSCEventImp();
    ~CSCEventImp();

private:
    // Decodes the event's arguments into a record and forwards it; raises CKivComError for
    // arguments of the wrong count or type.
    void HandleEvent(DISPID id, DISPPARAMS& params);
    void OnDeviceConnected(DISPPARAMS& params);
    void Post(CRequestData& record);
    void PostAndWait(CRequestData& record, const char* eventName);

    DWORD m_cookie = NOT_ADVISED;
    int m_sinkNumber;
    tolv::com::com_ptr<ISCApplication> m_source;
    CKivWorker* m_receiver = nullptr;
    CTolvTrace m_trace;
};
