// Connection points: cookies never reused, firing past empty positions, by-reference results.
#include <gtest/gtest.h>

#include <vector>

#include "TestObjects.h"
#include "com/ConnectionPoint.h"

using namespace tolv::com;

namespace {

class CSource : public ITolvCounter, public ConnectionPointContainer {
public:
    using interface_map = tolv::com::interface_map<ITolvCounter, IConnectionPointContainer>;

    CSource() : m_events(AddConnectionPoint(DIID__ITolvEvents)) {}
    HRESULT STDMETHODCALLTYPE Next(LONG* value) override
    {
        *value = 0;
        return S_OK;
    }

    // Fires Progress(action, path, percent, &cancel) as an event source does.
    VARIANT_BOOL FireProgress(LONG action, const wchar_t* path, LONG percent)
    {
        VARIANT_BOOL cancel = VARIANT_FALSE;
        DispatchArguments arguments;
        arguments.add_long(action);
        arguments.add_string(path);
        arguments.add_long(percent);
        arguments.add_bool_ref(&cancel);
        m_events.FireDispatch(3, arguments);
        return cancel;
    }

    ConnectionPoint& m_events;
};

// An event sink as a client writes one: records the calls, may ask to cancel.
class CSink : public IDispatch {
public:
    using interface_map = tolv::com::interface_map<IDispatch, entry_iid<&DIID__ITolvEvents, IDispatch>>;

    explicit CSink(bool cancels) : m_cancels(cancels) {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        ids.push_back(id);
        if (id != 3 || flags != DISPATCH_METHOD || params->cArgs != 4 || params->cNamedArgs != 0) {
            return DISP_E_BADPARAMCOUNT;
        }
        // Last argument first: rgvarg[3] is the action, rgvarg[0] the cancel flag.
        actions.push_back(params->rgvarg[3].lVal);
        paths.push_back(params->rgvarg[2].bstrVal);
        percents.push_back(params->rgvarg[1].lVal);
        if (m_cancels && params->rgvarg[0].vt == (VT_BOOL | VT_BYREF)) {
            *params->rgvarg[0].pboolVal = VARIANT_TRUE;
        }
        return S_OK;
    }

    std::vector<DISPID> ids;
    std::vector<LONG> actions;
    std::vector<std::wstring> paths;
    std::vector<LONG> percents;

private:
    bool m_cancels;
};

class ConnectionPointTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, ComObject<CSource>::Create(m_source));
        com_ptr<IConnectionPointContainer> container = m_source.try_query<IConnectionPointContainer>();
        ASSERT_TRUE(container);
        ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID__ITolvEvents, m_point.put()));
        for (bool cancels : {false, false, false}) {
            com_ptr<ComObject<CSink>> sink;
            ASSERT_EQ(S_OK, ComObject<CSink>::Create(sink, cancels));
            m_sinks.push_back(sink);
        }
    }

    DWORD Advise(size_t sink)
    {
        DWORD cookie = 0;
        EXPECT_EQ(S_OK, m_point->Advise(static_cast<IDispatch*>(m_sinks[sink].get()), &cookie));
        return cookie;
    }

    std::vector<DWORD> EnumeratedCookies()
    {
        com_ptr<IEnumConnections> connections;
        EXPECT_EQ(S_OK, m_point->EnumConnections(connections.put()));
        std::vector<DWORD> cookies;
        CONNECTDATA data{};
        while (connections->Next(1, &data, nullptr) == S_OK) {
            cookies.push_back(data.dwCookie);
            data.pUnk->Release();
        }
        return cookies;
    }

    com_ptr<ComObject<CSource>> m_source;
    com_ptr<IConnectionPoint> m_point;
    std::vector<com_ptr<ComObject<CSink>>> m_sinks;
};

}  // namespace

TEST_F(ConnectionPointTest, AStaleUnadviseNeverRemovesAnotherClientsSink)
{
    const DWORD first = Advise(0);
    const DWORD second = Advise(1);
    EXPECT_EQ(S_OK, m_point->Unadvise(second));
    const DWORD third = Advise(2);
    EXPECT_NE(second, third);
    EXPECT_NE(first, third);

    // The client that held `second` unadvises again: the newer client keeps its sink.
    EXPECT_EQ(CONNECT_E_NOCONNECTION, m_point->Unadvise(second));
    EXPECT_EQ((std::vector<DWORD>{first, third}), EnumeratedCookies());
    EXPECT_EQ(2u, m_source->m_events.SinkCount());
}

TEST_F(ConnectionPointTest, RefusesUnknownCookiesAndSinksWithoutTheInterface)
{
    Advise(0);
    EXPECT_EQ(CONNECT_E_NOCONNECTION, m_point->Unadvise(0));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, m_point->Unadvise(2));
    EXPECT_EQ(S_OK, m_point->Unadvise(1));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, m_point->Unadvise(1));

    com_ptr<ITolvCounter> notASink;
    ASSERT_EQ(S_OK, MakeComObject<CSource>(notASink));
    DWORD cookie = 7;
    EXPECT_EQ(CONNECT_E_CANNOTCONNECT, m_point->Advise(notASink.get(), &cookie));
    EXPECT_EQ(0u, cookie);
    EXPECT_EQ(E_POINTER, m_point->Advise(nullptr, &cookie));
}

TEST_F(ConnectionPointTest, FiringSkipsEmptyPositionsAndKeepsArgumentOrder)
{
    Advise(0);
    Advise(1);
    Advise(2);
    m_point->Unadvise(2);
    EXPECT_EQ(VARIANT_FALSE, m_source->FireProgress(4, L"E:\\Sounds", 50));

    EXPECT_TRUE(m_sinks[1]->ids.empty());
    for (size_t sink : {0u, 2u}) {
        ASSERT_EQ(1u, m_sinks[sink]->ids.size());
        EXPECT_EQ(4, m_sinks[sink]->actions[0]);
        EXPECT_EQ(L"E:\\Sounds", m_sinks[sink]->paths[0]);
        EXPECT_EQ(50, m_sinks[sink]->percents[0]);
    }
}

TEST_F(ConnectionPointTest, SinkWritesTheByReferenceFlagBack)
{
    com_ptr<ComObject<CSink>> cancelling;
    ASSERT_EQ(S_OK, ComObject<CSink>::Create(cancelling, true));
    Advise(0);
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, m_point->Advise(static_cast<IDispatch*>(cancelling.get()), &cookie));
    EXPECT_EQ(VARIANT_TRUE, m_source->FireProgress(1, L"C:\\", 10));
    ASSERT_EQ(S_OK, m_point->Unadvise(cookie));
    EXPECT_EQ(VARIANT_FALSE, m_source->FireProgress(1, L"C:\\", 20));
}

TEST_F(ConnectionPointTest, PointsAreEnumeratedAndBelongToTheirContainer)
{
    com_ptr<IConnectionPointContainer> container = m_source.try_query<IConnectionPointContainer>();
    com_ptr<IEnumConnectionPoints> points;
    ASSERT_EQ(S_OK, container->EnumConnectionPoints(points.put()));
    IConnectionPoint* fetched[2] = {};
    ULONG count = 0;
    EXPECT_EQ(S_FALSE, points->Next(2, fetched, &count));
    ASSERT_EQ(1u, count);
    EXPECT_EQ(m_point.get(), fetched[0]);
    fetched[0]->Release();

    IID iid{};
    EXPECT_EQ(S_OK, m_point->GetConnectionInterface(&iid));
    EXPECT_TRUE(InlineIsEqualGUID(iid, DIID__ITolvEvents));
    com_ptr<IConnectionPointContainer> owner;
    EXPECT_EQ(S_OK, m_point->GetConnectionPointContainer(owner.put()));
    EXPECT_TRUE(IsSameObject(owner.get(), container.get()));

    com_ptr<IConnectionPoint> missing;
    EXPECT_EQ(CONNECT_E_NOCONNECTION, container->FindConnectionPoint(IID_IDispatch, missing.put()));
}

TEST_F(ConnectionPointTest, ThePointKeepsItsContainerAliveAndReleasesSinksWithIt)
{
    Advise(0);
    com_ptr<IEnumConnections> connections;
    ASSERT_EQ(S_OK, m_point->EnumConnections(connections.put()));
    com_ptr<IEnumConnections> clone;
    connections->Skip(1);
    ASSERT_EQ(S_OK, connections->Clone(clone.put()));
    CONNECTDATA data{};
    EXPECT_EQ(S_FALSE, clone->Next(1, &data, nullptr));
    connections.reset();
    clone.reset();

    m_source.reset();
    // Only the point's reference keeps the source now; the sink is still advised.
    m_sinks[0]->AddRef();
    EXPECT_EQ(2u, m_sinks[0]->Release());
    m_point.reset();
    m_sinks[0]->AddRef();
    EXPECT_EQ(1u, m_sinks[0]->Release());
}
