#include "platform/kivproxy/KivProxyServer.h"

#include <string>

#include "com/DispatchArguments.h"
#include "com/UniqueBstr.h"
#include "platform/kivproxy/DeviceInformation.h"
#include "platform/kivproxy/EventIds.h"
#include "platform/kivproxy/EventRefire.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("KivProxyServer");

namespace kivproxy {

namespace {

constexpr UINT kConnectArguments = 2;  // device name, device information
constexpr UINT kCompletionArguments = 3;  // action, path, result
constexpr wchar_t kDeviceSeparator = L',';

std::wstring TextOf(BSTR text)
{
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

// The received argument of declaration position `index` as text or number; empty or 0 when it
// has another type.
std::wstring TextArgument(const DISPPARAMS& params, UINT index)
{
    const VARIANT& value = params.rgvarg[params.cArgs - 1 - index];
    return V_VT(&value) == VT_BSTR ? TextOf(V_BSTR(&value)) : std::wstring();
}

long LongArgument(const DISPPARAMS& params, UINT index)
{
    const VARIANT& value = params.rgvarg[params.cArgs - 1 - index];
    return V_VT(&value) == VT_I4 ? V_I4(&value) : 0;
}

HRESULT HandOut(const std::wstring& text, BSTR* result)
{
    tolv::com::unique_bstr copy(text.c_str(), static_cast<UINT>(text.size()));
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, copy.get());
    *result = copy.release();
    return S_OK;
}

}  // namespace

CKivProxyServer::CKivProxyServer()
    : m_allServerEvents(AddConnectionPoint(DIID_IKivAllServerEvents)),
      m_proxyEvents(AddConnectionPoint(DIID__IKivProxyServerEvents)),
      m_link(*this)
{
}

HRESULT CKivProxyServer::FinalConstruct()
{
    // Creating the proxy starts Kivlink when none runs, as creating Kivlink's class would.
    TOLV_RETURN_IF_FAILED(m_link.Open());
    return S_OK;
}

void CKivProxyServer::FinalRelease()
{
    m_link.Close();
}

HRESULT CKivProxyServer::GetPhoneName(BSTR* name)
{
    RETURN_HR_IF_NULL(E_POINTER, name);
    *name = nullptr;
    tolv::com::unique_bstr information;
    static const wchar_t kSelectedDevice[] = L"";
    tolv::com::unique_bstr selected(kSelectedDevice);
    TOLV_RETURN_IF_FAILED(Forward<IKivVolume2>(
        L"GetPhoneName", [&](IKivVolume2* volume) { return volume->GetInfo(selected.get(), information.put()); }));
    try {
        return HandOut(ParseDeviceInformation(TextOf(information.get())).model, name);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CKivProxyServer::GetDeviceName(BSTR* name)
{
    RETURN_HR_IF_NULL(E_POINTER, name);
    *name = nullptr;
    tolv::com::unique_bstr devices;
    TOLV_RETURN_IF_FAILED(Forward<IKivVolume2>(
        L"GetDeviceName", [&](IKivVolume2* volume) { return volume->ListDevices(devices.put()); }));
    try {
        // The current device comes first.
        const std::wstring list = TextOf(devices.get());
        return HandOut(list.substr(0, list.find(kDeviceSeparator)), name);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CKivProxyServer::InterfaceSupportsErrorInfo(REFIID iid)
{
    return InlineIsEqualGUID(iid, IID_IKivVolume2) || InlineIsEqualGUID(iid, IID_IKivVolume) ||
                   InlineIsEqualGUID(iid, IID_IKivProxyServer)
               ? S_OK
               : S_FALSE;
}

bool CKivProxyServer::NeverReachedPeer(HRESULT hr) noexcept
{
    // The object or the server was gone before the call went out; the other failures of a
    // gone peer may have ended it half-way.
    return hr == RPC_E_DISCONNECTED || hr == CO_E_OBJNOTCONNECTED || hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
}

HRESULT CKivProxyServer::RecoverFromLostKivlink(HRESULT failure, const wchar_t* callName) noexcept
{
    {
        tolv::com::DispatchArguments arguments;
        arguments.add_long(failure);
        arguments.add_string(callName);
        m_proxyEvents.FireDispatch(kKivlinkLost, arguments);
    }
    m_kivlinkLost = true;
    // The operations of the old Kivlink end without completion events.
    m_pending = CPendingOperations();
    TOLV_RETURN_IF_FAILED(m_link.Reopen());
    NoteKivlinkBack();
    return S_OK;
}

void CKivProxyServer::NoteKivlinkBack() noexcept
{
    if (!m_kivlinkLost) {
        return;
    }
    m_kivlinkLost = false;
    FireWithoutArguments(kKivlinkBack);
}

void CKivProxyServer::OnKivlinkEvent(DISPID id, DISPPARAMS& params) noexcept
{
    RefireToSinks(m_allServerEvents, id, params);
    try {
        if (id == kKivlinkDeviceConnected && params.cArgs == kConnectArguments) {
            FirePhoneConnected(params);
        } else if (id == kKivlinkDeviceDisconnected) {
            FireWithoutArguments(kPhoneDisconnected);
        } else if (id == kKivlinkOperationCompletion && params.cArgs == kCompletionArguments) {
            const long result = LongArgument(params, 2);
            if (auto operation = m_pending.Take(LongArgument(params, 0), TextArgument(params, 1))) {
                FireOperationEnded(*operation, result);
            }
        }
    } catch (...) {
        // Nothing may leave the event call; a lost proxy event is the worst outcome.
        tolv::trace::Error(TOLV_HERE);
    }
}

void CKivProxyServer::FirePhoneConnected(DISPPARAMS& params) noexcept
{
    const std::wstring deviceName = TextArgument(params, 0);
    const DeviceInformation information = ParseDeviceInformation(TextArgument(params, 1));
    tolv::com::DispatchArguments arguments;
    arguments.add_string(deviceName.c_str());
    arguments.add_string(information.model.c_str());
    arguments.add_string(information.manufacturer.c_str());
    arguments.add_long(information.charge);
    arguments.add_long(information.signal);
    arguments.add_string(information.imei.c_str());
    m_proxyEvents.FireDispatch(kPhoneConnected, arguments);
}

void CKivProxyServer::FireOperationEnded(const LongOperation& operation, HRESULT result) noexcept
{
    tolv::com::DispatchArguments arguments;
    arguments.add_long(operation.action);
    arguments.add_string(operation.path.c_str());
    arguments.add_string(operation.destination.c_str());
    arguments.add_long(result);
    m_proxyEvents.FireDispatch(kOperationEnded, arguments);
}

void CKivProxyServer::FireWithoutArguments(DISPID id) noexcept
{
    tolv::com::DispatchArguments arguments;
    m_proxyEvents.FireDispatch(id, arguments);
}

}  // namespace kivproxy
