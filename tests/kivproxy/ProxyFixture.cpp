#include "ProxyFixture.h"

#include "com/UniqueVariant.h"
#include "tests/kivlink_phone/PhoneSimulator.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/MessagePump.h"

HRESULT STDMETHODCALLTYPE ProxyEventRecorder::QueryInterface(REFIID iid, void** result)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, DIID__IKivProxyServerEvents)) {
        *result = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *result = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE ProxyEventRecorder::Release()
{
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE ProxyEventRecorder::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ProxyEventRecorder::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                                     EXCEPINFO*, UINT*)
{
    ProxyEvent event{id, {}};
    for (UINT index = params->cArgs; index-- > 0;) {
        tolv::com::unique_variant text;
        const bool converted = SUCCEEDED(VariantChangeType(text.get(), &params->rgvarg[index], 0, VT_BSTR));
        event.arguments.push_back(converted ? Text(SysAllocString(V_BSTR(text.get()))) : L"?");
    }
    tolv::com::auto_lock lock(m_lock);
    m_events.push_back(event);
    return S_OK;
}

std::vector<ProxyEvent> ProxyEventRecorder::EventsOf(DISPID id)
{
    std::vector<ProxyEvent> found;
    tolv::com::auto_lock lock(m_lock);
    for (const ProxyEvent& event : m_events)
        if (event.id == id)
            found.push_back(event);
    return found;
}

bool ProxyEventRecorder::WaitFor(DISPID id, DWORD timeoutMs)
{
    return PumpMessagesUntil([&] { return !EventsOf(id).empty(); }, timeoutMs);
}

void ProxyTest::SetUpTestSuite()
{
    ASSERT_EQ(ConnectPhone(), 0);
}

void ProxyTest::TearDownTestSuite()
{
    // Kivlink and the simulator end by themselves once nobody holds them.
    EXPECT_TRUE(EndPhoneSim(30000));
    WaitUntilGone(L"Kivlink.exe", 30000);
}

void ProxyTest::SetUp()
{
    ASSERT_TRUE(m_com.succeeded());
    // In-process, in this apartment: what the plug-ins' and the scheduler's threads get.
    ASSERT_EQ(
        CoCreateInstance(CLSID_KivProxyServer, nullptr, CLSCTX_INPROC_SERVER, IID_IKivVolume2, m_proxy.put_void()),
        S_OK);
}

void ProxyTest::TearDown()
{
    for (auto& [point, cookie] : m_advised)
        point->Unadvise(cookie);
    m_advised.clear();
    m_proxy = nullptr;
    m_sinks.clear();
}

void ProxyTest::Advise(IUnknown* sink, REFIID events)
{
    m_sinks.emplace_back(sink);
    tolv::com::com_ptr<IConnectionPointContainer> container;
    ASSERT_EQ(m_proxy.query(container), S_OK);
    tolv::com::com_ptr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(events, point.put()), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(sink, &cookie), S_OK);
    m_advised.emplace_back(point, cookie);
}

RecordingSink& ProxyTest::KivlinkEventsSink()
{
    tolv::com::com_ptr<RecordingSink> sink;
    sink.attach(new RecordingSink);
    Advise(sink.get(), DIID_IKivAllServerEvents);
    return *sink.get();
}

ProxyEventRecorder& ProxyTest::ProxyEventsSink()
{
    tolv::com::com_ptr<ProxyEventRecorder> sink;
    sink.attach(new ProxyEventRecorder);
    Advise(sink.get(), DIID__IKivProxyServerEvents);
    return *sink.get();
}
