#pragma once
// A KivProxyServer object in this test's single-threaded apartment, with the default simulated
// phone connected below this process's root. The proxy's two event interfaces are watched by
// sinks of this apartment: Kivlink's events through tests/kivlink_volume2's RecordingSink, the
// proxy's six events through ProxyEventRecorder.
#include "KivProxyLib.h"
#include "KivlinkLib.h"

#include "com/ComInit.h"
#include "com/ComPtr.h"
#include "com/CriticalSection.h"
#include "tests/kivlink_volume2/VolumeFixture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

// One event of _IKivProxyServerEvents with its arguments in declaration order, as text.
struct ProxyEvent {
    DISPID id;
    std::vector<std::wstring> arguments;
};

class ProxyEventRecorder final : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    std::vector<ProxyEvent> EventsOf(DISPID id);
    // Pumps this apartment's messages until an event of that id arrived or the time is up.
    bool WaitFor(DISPID id, DWORD timeoutMs);

private:
    volatile LONG m_references = 1;
    tolv::com::critical_section m_lock;
    std::vector<ProxyEvent> m_events;
};

class ProxyTest : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;
    void TearDown() override;

    // New sinks advised on the proxy's two points; unadvised by TearDown.
    RecordingSink& KivlinkEventsSink();
    ProxyEventRecorder& ProxyEventsSink();

    tolv::com::com_init m_com{COINIT_APARTMENTTHREADED};
    tolv::com::com_ptr<IKivVolume2> m_proxy;

private:
    void Advise(IUnknown* sink, REFIID events);

    std::vector<std::pair<tolv::com::com_ptr<IConnectionPoint>, DWORD>> m_advised;
    std::vector<tolv::com::com_ptr<IUnknown>> m_sinks;
};

// The proxy's six events.
constexpr DISPID PROXY_PHONE_CONNECTED = 1;
constexpr DISPID PROXY_OPERATION_STARTED = 2;
constexpr DISPID PROXY_OPERATION_ENDED = 3;
constexpr DISPID PROXY_KIVLINK_LOST = 4;
constexpr DISPID PROXY_KIVLINK_BACK = 5;
constexpr DISPID PROXY_PHONE_DISCONNECTED = 6;
