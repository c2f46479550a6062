#include "SymbianConnectRT.h"

#include "KivComError.h"
#include "KivWait.h"
#include "KivlinkLib.h"
#include "trace/TolvTrace.h"

#include <ole2.h>

namespace {

// The phone library's application class.
constexpr CLSID CLSID_SymbianConnectApplication = {
    0x98C34439, 0x558E, 0x4BDE, {0xAC, 0x27, 0x25, 0xD5, 0x3A, 0x20, 0x2E, 0x95}};

}  // namespace

CSymbianConnectRT::CSymbianConnectRT(int bindingId, CTolvTrace* trace) : m_bindingId(bindingId), m_trace(trace) {}

CSymbianConnectRT::~CSymbianConnectRT()
{
    Release();
}

HRESULT CSymbianConnectRT::Init()
{
    m_connected.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_disconnected.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_connected || !m_disconnected)
        return HRESULT_FROM_WIN32(GetLastError());
    try {
        tolv::com::com_ptr<IUnknown> application;
        HRESULT hr = CoCreateInstance(CLSID_SymbianConnectApplication, nullptr, CLSCTX_ALL, IID_IUnknown,
                                      reinterpret_cast<void**>(application.put()));
        if (FAILED(hr) && hr != E_NOINTERFACE)
            throw CKivComError(hr);
        if (application) {
            hr = OleRun(application.get());
            if (FAILED(hr) && hr != E_NOINTERFACE)
                throw CKivComError(hr);
        }
        m_application = std::move(application);
    } catch (const CKivComError& error) {
        return error.Error();
    }
    return S_OK;
}

void CSymbianConnectRT::Release()
{
    m_application.reset();
    m_connected.reset();
    m_disconnected.reset();
    m_phoneKnown = false;
}

bool CSymbianConnectRT::IsPhoneKnown() const
{
    return m_phoneKnown;
}

HRESULT CSymbianConnectRT::WaitForConnection(DWORD timeoutMs)
{
    if (IsPhoneKnown())
        return S_OK;
    DispatchPendingMessages();
    if (m_trace)
        m_trace->Format(3, "Wait For Connection");
    if (m_connected && WaitForSingleObject(m_connected.get(), timeoutMs) == WAIT_OBJECT_0 && IsPhoneKnown())
        return S_OK;
    if (m_trace) {
        m_trace->Format(3, "time-out (%d ms) elapsed - no connection established", static_cast<int>(timeoutMs));
        m_trace->Format(3, "WARNING [%s %d]", "CSymbianConnectRT", 671);
    }
    return KIV_E_NOCONNECTION;
}

void CSymbianConnectRT::SignalConnected()
{
    if (m_trace)
        m_trace->Format(3, "Signal connected");
}

void CSymbianConnectRT::SignalDisconnected()
{
    if (m_trace)
        m_trace->Format(3, "Signal disconnected");
}

HRESULT CSymbianConnectRT::InvalidateParent(const wchar_t*, bool)
{
    return S_OK;
}

HRESULT CSymbianConnectRT::InvalidateAll()
{
    return S_OK;
}
