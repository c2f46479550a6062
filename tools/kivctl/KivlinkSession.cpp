#include "tools/kivctl/KivlinkSession.h"

#include "tools/kivctl/ErrorText.h"

namespace {

// Kivlink revokes its class objects one second after it decided to end: a few tries spread
// over more than that. Few, since each try may have COM start another server.
constexpr int kCreationAttempts = 5;
constexpr DWORD kCreationPauseMs = 500;

}  // namespace

bool IsPassingCreationFailure(HRESULT hr)
{
    switch (hr) {
    case CO_E_SERVER_STOPPING:
    case E_NOINTERFACE:
    case E_FAIL:
    case RPC_E_DISCONNECTED:
    case RPC_E_SERVER_DIED:
    case RPC_E_SERVER_DIED_DNE:
    case RPC_E_CALL_REJECTED:
        return true;
    default:
        return false;
    }
}

CKivlinkSession::~CKivlinkSession()
{
    StopListening();
    m_volume.reset();
}

HRESULT CKivlinkSession::Open()
{
    // A server that is just quitting may refuse the creation; the next attempt starts a new one.
    HRESULT hr = E_FAIL;
    for (int attempt = 0; attempt < kCreationAttempts; ++attempt) {
        if (attempt > 0)
            Sleep(kCreationPauseMs);
        hr = CoCreateInstance(CLSID_KivVolume2, nullptr, CLSCTX_LOCAL_SERVER, IID_IKivVolume2, m_volume.put_void());
        if (!IsPassingCreationFailure(hr))
            break;
    }
    return hr;
}

HRESULT CKivlinkSession::Listen(IKivctlEventObserver* observer)
{
    if (m_sink) {
        m_sink->SetObserver(observer);
        return S_OK;
    }
    // Nobody watches: no sink to advise.
    if (observer == nullptr) {
        return S_OK;
    }
    RETURN_HR_IF(E_UNEXPECTED, !m_volume);
    tolv::com::com_ptr<IConnectionPointContainer> container;
    RETURN_IF_FAILED(m_volume.query(container));
    tolv::com::com_ptr<IConnectionPoint> point;
    RETURN_IF_FAILED(container->FindConnectionPoint(DIID_IKivAllServerEvents, point.put()));
    tolv::com::com_ptr<tolv::com::ComObject<CKivctlEventSink>> sink;
    RETURN_IF_FAILED(tolv::com::ComObject<CKivctlEventSink>::Create(sink));
    sink->SetObserver(observer);
    m_sinkInterfaces.keep({DIID_IKivAllServerEvents, IID_IDispatch});
    DWORD cookie = 0;
    const HRESULT hr = point->Advise(static_cast<IDispatch*>(sink.get()), &cookie);
    if (FAILED(hr)) {
        sink->SetObserver(nullptr);
        m_sinkInterfaces.release();
        return hr;
    }
    m_sink = std::move(sink);
    m_point = std::move(point);
    m_cookie = cookie;
    return S_OK;
}

void CKivlinkSession::StopListening()
{
    if (m_sink) {
        m_sink->SetObserver(nullptr);
    }
    if (m_point) {
        m_point->Unadvise(m_cookie);
    }
    m_point.reset();
    m_sink.reset();
    m_cookie = 0;
    m_sinkInterfaces.release();
}

std::wstring CKivlinkSession::Describe(HRESULT hr) const
{
    return DescribeKivlinkFailure(hr, m_volume.get());
}
