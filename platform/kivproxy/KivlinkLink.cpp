#include "platform/kivproxy/KivlinkLink.h"

#include "com/CreationRetry.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("KivlinkLink");

namespace kivproxy {

HRESULT CKivlinkLink::Open() noexcept
{
    if (m_volume) {
        return S_OK;
    }
    if (!m_relay) {
        TOLV_RETURN_IF_FAILED(tolv::com::InternalComObject<CKivlinkEventRelay>::Create(m_relay));
        TOLV_RETURN_IF_FAILED(m_relayInterfaces.keep({DIID_IKivAllServerEvents, IID_IDispatch}));
    }
    tolv::com::com_ptr<IKivVolume2> volume;
    TOLV_RETURN_IF_FAILED(tolv::com::CreateInstanceRetrying(CLSID_KivVolume2, CLSCTX_LOCAL_SERVER, volume));
    tolv::com::com_ptr<IConnectionPointContainer> container;
    TOLV_RETURN_IF_FAILED(volume.query(container));
    tolv::com::com_ptr<IConnectionPoint> point;
    TOLV_RETURN_IF_FAILED(container->FindConnectionPoint(DIID_IKivAllServerEvents, point.put()));
    // Before the advise: Kivlink may send the first event before Advise has returned.
    m_relay->SetTarget(&m_target);
    DWORD cookie = 0;
    const HRESULT hr = point->Advise(static_cast<IDispatch*>(m_relay.get()), &cookie);
    if (FAILED(hr)) {
        m_relay->SetTarget(nullptr);
        return tolv::trace::Traced(hr, tolvTraceUnit, __LINE__);
    }
    m_volume = std::move(volume);
    m_point = std::move(point);
    m_cookie = cookie;
    return S_OK;
}

void CKivlinkLink::Close() noexcept
{
    if (m_point) {
        m_point->Unadvise(m_cookie);
    }
    Drop();
    m_relay.reset();
    m_relayInterfaces.release();
    m_changeSinkInterfaces.release();
}

HRESULT CKivlinkLink::Reopen() noexcept
{
    Drop();
    return Open();
}

void CKivlinkLink::Drop() noexcept
{
    if (m_relay) {
        m_relay->SetTarget(nullptr);
    }
    m_point.reset();
    m_cookie = 0;
    m_volume.reset();
    m_oneVolume.reset();
}

HRESULT CKivlinkLink::Get(tolv::com::com_ptr<IKivVolume2>& volume) noexcept
{
    TOLV_RETURN_IF_FAILED(Open());
    volume = m_volume;
    return S_OK;
}

HRESULT CKivlinkLink::Get(tolv::com::com_ptr<IKivVolume>& oneVolume) noexcept
{
    if (!m_oneVolume) {
        // Opened first, so that a Kivlink found gone through this object is reopened whole.
        TOLV_RETURN_IF_FAILED(Open());
        TOLV_RETURN_IF_FAILED(
            tolv::com::CreateInstanceRetrying(CLSID_KivMobilePhone, CLSCTX_LOCAL_SERVER, m_oneVolume));
    }
    oneVolume = m_oneVolume;
    return S_OK;
}

HRESULT CKivlinkLink::KeepChangeSinkStubs() noexcept
{
    if (m_changeSinkInterfaces.kept_count() > 0) {
        return S_OK;
    }
    return m_changeSinkInterfaces.keep({IID_IKivNotifySink});
}

}  // namespace kivproxy
