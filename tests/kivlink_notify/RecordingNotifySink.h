#pragma once
// A client's folder-change sink that writes each call, with its arrival time, into a log
// shared by all sinks of a test (so that the order across sinks shows), and answers as told.
#include "KivlinkLib.h"

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/CriticalSection.h"
#include "com/UniqueHandle.h"

#include <string>
#include <vector>

struct SinkCall {
    std::wstring sink;
    std::wstring path;
    DWORD tick;
};

class CallLog {
public:
    CallLog() { m_arrived.create(false, false); }
    void Add(SinkCall call);
    std::vector<SinkCall> Calls();
    // Only the calls of one sink, or with one path.
    std::vector<SinkCall> CallsOf(const std::wstring& sink);
    std::vector<SinkCall> CallsWith(const std::wstring& path);
    // Waits until count calls in all have arrived.
    bool WaitForCalls(size_t count, DWORD timeoutMs = 5000);

private:
    std::vector<SinkCall> Matching(std::wstring SinkCall::*field, const std::wstring& value);

    tolv::com::critical_section m_lock;
    std::vector<SinkCall> m_calls;
    tolv::com::unique_event m_arrived;
};

class CRecordingNotifySink : public IKivNotifySink {
public:
    using interface_map = tolv::com::interface_map<IKivNotifySink>;

    CRecordingNotifySink(CallLog* log, std::wstring name, HRESULT answer)
        : m_log(log),
          m_name(std::move(name)),
          m_answer(answer)
    {
    }
    HRESULT STDMETHODCALLTYPE OnChange(BSTR path) override;

private:
    CallLog* m_log;
    std::wstring m_name;
    HRESULT m_answer;
};

// A client object that is no folder-change sink.
class CNotASink : public IPersist {
public:
    using interface_map = tolv::com::interface_map<IPersist>;
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override
    {
        *id = CLSID_NULL;
        return S_OK;
    }
};

tolv::com::com_ptr<IUnknown> MakeSink(CallLog& log, const std::wstring& name, HRESULT answer = S_OK);
tolv::com::com_ptr<IUnknown> MakeObjectWithoutSink();
// The object's references, read by a balanced AddRef and Release.
ULONG References(IUnknown* object);
