// A client's ISCEvents sink: records every event with its arguments and answers the
// questions as the test tells it to.
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <ole2.h>

#include "SymbianConnect.h"
#include "com/ComObject.h"
#include "com/CriticalSection.h"
#include "com/StubRegistrationKeeper.h"
#include "com/UniqueHandle.h"

struct RecordedArgument {
    VARTYPE type = VT_EMPTY;
    LONG number = 0;
    double date = 0;
    std::wstring text;
};

struct RecordedEvent {
    DISPID id = 0;
    std::vector<RecordedArgument> arguments;  // declaration order; by-reference ones as passed in
    bool startReturned = false;  // the test's flag when the event came
    LONG Number(size_t index) const { return arguments.at(index).number; }
    const std::wstring& Text(size_t index) const { return arguments.at(index).text; }
};

class CEventRecorder : public IDispatch {
public:
    using interface_map = tolv::com::interface_map<IDispatch, tolv::com::entry_iid<&DIID_ISCEvents, IDispatch>>;

    CEventRecorder();

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    // Answers: cancel once a progress event reaches `percent` (-1: never); the action and
    // response for existing-file questions.
    void CancelAtProgress(LONG percent) { m_cancelAt = percent; }
    void AnswerExistingFile(LONG action, bool cancel = false)
    {
        m_action = action;
        m_cancelQuestion = cancel;
    }
    // Set by the test once a start call has returned its request id.
    void MarkStartReturned() { InterlockedExchange(&m_startReturned, 1); }

    std::vector<RecordedEvent> Events() const;
    std::vector<RecordedEvent> EventsOf(DISPID id) const;
    // Waits until an event with this id (and, when given, this request id as first argument)
    // has come; false after the time-out.
    bool WaitFor(DISPID id, LONG requestId = 0, DWORD timeoutMs = 20000) const;
    // The device objects that DeviceConnected brought.
    std::vector<tolv::com::com_ptr<IDispatch>> ConnectedDevices() const;
    void Clear();

private:
    mutable tolv::com::critical_section m_lock;
    std::vector<RecordedEvent> m_events;
    std::vector<tolv::com::com_ptr<IDispatch>> m_devices;
    tolv::com::unique_event m_arrived;
    LONG m_cancelAt = -1;
    LONG m_action = 0;
    bool m_cancelQuestion = false;
    volatile LONG m_startReturned = 0;
};

// A recorder advised to an application object's ISCEvents point for its own lifetime.
class AdvisedRecorder {
public:
    explicit AdvisedRecorder(IUnknown* application);
    ~AdvisedRecorder();
    AdvisedRecorder(const AdvisedRecorder&) = delete;
    AdvisedRecorder& operator=(const AdvisedRecorder&) = delete;

    HRESULT AdviseResult() const { return m_advised; }
    CEventRecorder& operator*() const { return *m_recorder.get(); }
    CEventRecorder* operator->() const { return m_recorder.get(); }

private:
    tolv::com::stub_registration_keeper m_sinkInterfaces;
    tolv::com::com_ptr<tolv::com::ComObject<CEventRecorder>> m_recorder;
    tolv::com::com_ptr<IConnectionPoint> m_point;
    DWORD m_cookie = 0;
    HRESULT m_advised = E_FAIL;
};
