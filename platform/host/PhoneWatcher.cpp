#include "platform/host/PhoneWatcher.h"

#include "com/CreationRetry.h"
#include "com/HResult.h"

namespace host {

HRESULT CPhoneWatcher::Start(IPhoneListener* listener) noexcept
{
    RETURN_HR_IF(E_UNEXPECTED, m_proxy);
    // In process: the proxy's Kivlink objects and the sink then live in this apartment.
    RETURN_IF_FAILED(tolv::com::CreateInstanceRetrying(CLSID_KivProxyServer, CLSCTX_INPROC_SERVER, m_proxy));
    tolv::com::com_ptr<IConnectionPointContainer> container;
    RETURN_IF_FAILED(m_proxy.query(container));
    tolv::com::com_ptr<IConnectionPoint> point;
    RETURN_IF_FAILED(container->FindConnectionPoint(DIID__IKivProxyServerEvents, point.put()));
    tolv::com::com_ptr<tolv::com::ComObject<CPhoneEventSink>> sink;
    RETURN_IF_FAILED(tolv::com::ComObject<CPhoneEventSink>::Create(sink, listener));
    RETURN_IF_FAILED(point->Advise(static_cast<IDispatch*>(sink.get()), &m_cookie));
    m_point = std::move(point);
    m_sink = std::move(sink);
    return S_OK;
}

void CPhoneWatcher::Stop() noexcept
{
    if (m_sink) {
        m_sink->Detach();
    }
    if (m_point) {
        m_point->Unadvise(m_cookie);
    }
    m_point = nullptr;
    m_sink = nullptr;
    m_proxy = nullptr;
}

}  // namespace host
