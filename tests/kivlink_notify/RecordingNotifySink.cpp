#include "RecordingNotifySink.h"

#include "com/ComObject.h"

void CallLog::Add(SinkCall call)
{
    {
        tolv::com::auto_lock lock(m_lock);
        m_calls.push_back(std::move(call));
    }
    m_arrived.set();
}

std::vector<SinkCall> CallLog::Calls()
{
    tolv::com::auto_lock lock(m_lock);
    return m_calls;
}

std::vector<SinkCall> CallLog::CallsOf(const std::wstring& sink)
{
    return Matching(&SinkCall::sink, sink);
}

std::vector<SinkCall> CallLog::CallsWith(const std::wstring& path)
{
    return Matching(&SinkCall::path, path);
}

std::vector<SinkCall> CallLog::Matching(std::wstring SinkCall::*field, const std::wstring& value)
{
    std::vector<SinkCall> matching;
    for (const SinkCall& call : Calls()) {
        if (call.*field == value)
            matching.push_back(call);
    }
    return matching;
}

bool CallLog::WaitForCalls(size_t count, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (Calls().size() < count) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        m_arrived.wait(timeoutMs - elapsed);
    }
    return true;
}

HRESULT STDMETHODCALLTYPE CRecordingNotifySink::OnChange(BSTR path)
{
    m_log->Add({m_name, path ? path : L"", GetTickCount()});
    return m_answer;
}

tolv::com::com_ptr<IUnknown> MakeSink(CallLog& log, const std::wstring& name, HRESULT answer)
{
    tolv::com::com_ptr<IUnknown> sink;
    tolv::com::MakeComObject<CRecordingNotifySink>(sink, &log, name, answer);
    return sink;
}

tolv::com::com_ptr<IUnknown> MakeObjectWithoutSink()
{
    tolv::com::com_ptr<IUnknown> object;
    tolv::com::MakeComObject<CNotASink>(object);
    return object;
}

ULONG References(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}
