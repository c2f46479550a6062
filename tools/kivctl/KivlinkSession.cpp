#include "tools/kivctl/KivlinkSession.h"

#include "com/LocalServerCreation.h"
#include "com/UniqueBstr.h"
#include "tools/kivctl/ErrorText.h"

CKivlinkSession::~CKivlinkSession()
{
    StopListening();
    StopWatchingFolder();
    m_volume.reset();
    m_oneVolume.reset();
    m_general.reset();
}

HRESULT CKivlinkSession::Open()
{
    return tolv::com::CreateInLocalServer(CLSID_KivVolume2, m_volume);
}

HRESULT CKivlinkSession::OpenOneVolume()
{
    return tolv::com::CreateInLocalServer(CLSID_KivMobilePhone, m_oneVolume);
}

HRESULT CKivlinkSession::OpenGeneral()
{
    return tolv::com::CreateInLocalServer(CLSID_KivGeneral, m_general);
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

HRESULT CKivlinkSession::WatchFolder(const std::wstring& path, IKivctlChangeObserver* observer)
{
    RETURN_HR_IF(E_UNEXPECTED, !m_oneVolume || m_changeSink);
    tolv::com::com_ptr<tolv::com::ComObject<CKivctlNotifySink>> sink;
    RETURN_IF_FAILED(tolv::com::ComObject<CKivctlNotifySink>::Create(sink));
    sink->SetObserver(observer);
    tolv::com::unique_bstr folder(path.c_str(), static_cast<UINT>(path.size()));
    m_changeSinkInterfaces.keep({IID_IKivNotifySink});
    LONG token = 0;
    const HRESULT hr =
        m_oneVolume->AddChangeNotification(folder.get(), static_cast<IKivNotifySink*>(sink.get()), &token);
    if (FAILED(hr)) {
        sink->SetObserver(nullptr);
        m_changeSinkInterfaces.release();
        return hr;
    }
    m_changeSink = std::move(sink);
    m_changeToken = token;
    return S_OK;
}

HRESULT CKivlinkSession::StopWatchingFolder()
{
    if (!m_changeSink) {
        return S_OK;
    }
    m_changeSink->SetObserver(nullptr);
    const HRESULT hr = m_oneVolume->RemoveChangeNotification(m_changeToken);
    m_changeSink.reset();
    m_changeToken = 0;
    m_changeSinkInterfaces.release();
    return hr;
}

std::wstring CKivlinkSession::Describe(HRESULT hr) const
{
    if (m_general) {
        return DescribeKivlinkFailure(hr, m_general.get(), IID_IKivGeneral);
    }
    if (m_oneVolume) {
        return DescribeKivlinkFailure(hr, m_oneVolume.get(), IID_IKivVolume);
    }
    return DescribeKivlinkFailure(hr, m_volume.get(), IID_IKivVolume2);
}
