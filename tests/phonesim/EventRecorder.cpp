#include "EventRecorder.h"

#include <algorithm>

#include "com/UniqueVariant.h"

CEventRecorder::CEventRecorder()
{
    m_arrived.create(false, false);
}

HRESULT CEventRecorder::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT CEventRecorder::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CEventRecorder::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CEventRecorder::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*)
{
    RecordedEvent event;
    event.id = id;
    event.startReturned = InterlockedCompareExchange(&m_startReturned, 0, 0) != 0;
    VARIANT_BOOL* response = nullptr;
    LONG* action = nullptr;
    tolv::com::com_ptr<IDispatch> device;
    for (UINT index = params->cArgs; index-- > 0;) {
        const VARIANT& value = params->rgvarg[index];
        RecordedArgument argument;
        argument.type = value.vt;
        switch (value.vt) {
        case VT_I4:
            argument.number = value.lVal;
            break;
        case VT_BOOL:
            argument.number = value.boolVal;
            break;
        case VT_DATE:
            argument.date = value.date;
            break;
        case VT_BSTR:
            argument.text = value.bstrVal ? value.bstrVal : L"";
            break;
        case VT_BOOL | VT_BYREF:
            response = value.pboolVal;
            argument.number = *value.pboolVal;
            break;
        case VT_I4 | VT_BYREF:
            action = value.plVal;
            argument.number = *value.plVal;
            break;
        case VT_DISPATCH:
            device = tolv::com::com_ptr<IDispatch>(value.pdispVal);
            break;
        case VT_UNKNOWN:
            if (value.punkVal != nullptr) {
                value.punkVal->QueryInterface(IID_IDispatch, device.put_void());
            }
            break;
        default:
            break;
        }
        event.arguments.push_back(argument);
    }
    {
        tolv::com::auto_lock lock(m_lock);
        const bool progress = id == 3 || id == 6 || id == 13;
        if (progress && response != nullptr && m_cancelAt >= 0) {
            const LONG percent = event.arguments.at(3).number;
            *response = percent >= m_cancelAt ? VARIANT_TRUE : VARIANT_FALSE;
        }
        if ((id == 8 || id == 15) && action != nullptr) {
            *action = m_action;
            if (response != nullptr) {
                *response = m_cancelQuestion ? VARIANT_TRUE : VARIANT_FALSE;
            }
        }
        if (device) {
            m_devices.push_back(device);
        }
        m_events.push_back(std::move(event));
    }
    m_arrived.set();
    return S_OK;
}

std::vector<RecordedEvent> CEventRecorder::Events() const
{
    tolv::com::auto_lock lock(m_lock);
    return m_events;
}

std::vector<RecordedEvent> CEventRecorder::EventsOf(DISPID id) const
{
    std::vector<RecordedEvent> found;
    for (const RecordedEvent& event : Events()) {
        if (event.id == id) {
            found.push_back(event);
        }
    }
    return found;
}

bool CEventRecorder::WaitFor(DISPID id, LONG requestId, DWORD timeoutMs) const
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        for (const RecordedEvent& event : EventsOf(id)) {
            if (requestId == 0 || (!event.arguments.empty() && event.arguments[0].number == requestId)) {
                return true;
            }
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            return false;
        }
        m_arrived.wait(static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 100)));
    }
}

std::vector<tolv::com::com_ptr<IDispatch>> CEventRecorder::ConnectedDevices() const
{
    tolv::com::auto_lock lock(m_lock);
    return m_devices;
}

void CEventRecorder::Clear()
{
    tolv::com::auto_lock lock(m_lock);
    m_events.clear();
    m_devices.clear();
}

AdvisedRecorder::AdvisedRecorder(IUnknown* application)
{
    tolv::com::ComObject<CEventRecorder>::Create(m_recorder);
    tolv::com::com_ptr<IConnectionPointContainer> container;
    m_advised = application->QueryInterface(IID_IConnectionPointContainer, container.put_void());
    if (SUCCEEDED(m_advised)) {
        m_advised = container->FindConnectionPoint(DIID_ISCEvents, m_point.put());
    }
    if (SUCCEEDED(m_advised)) {
        m_advised = m_sinkInterfaces.keep({DIID_ISCEvents, IID_IDispatch});
    }
    if (SUCCEEDED(m_advised)) {
        m_advised = m_point->Advise(static_cast<IDispatch*>(m_recorder.get()), &m_cookie);
    }
}

AdvisedRecorder::~AdvisedRecorder()
{
    if (m_point && SUCCEEDED(m_advised)) {
        m_point->Unadvise(m_cookie);
    }
}
