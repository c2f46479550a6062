#include "SymbianConnectRT.h"

#include "BindingRegistry.h"
#include "KivServerServices.h"
#include "KivWait.h"
#include "KivWorker.h"
#include "RequestData.h"

#include "Components/Kivlink/model/ProxyKeeper.h"

#include "Components/Kivlink/model/PhoneCalls.h"
#include "Components/Kivlink/model/SymbianConnectApplication.h"
#include "Components/Kivlink/model/SymbianDeviceDirectory.h"

#include "KivlinkLib.h"
#include "com/HResult.h"
#include "trace/TraceResult.h"

#include <utility>

TOLV_TRACE_UNIT("CSymbianConnectRT");

namespace {

constexpr tolv::trace::site kNoConnectionInTime{"CSymbianConnectRT", 671, 3};

}  // namespace

namespace {

// Drops a device ring that nobody walks any more.
void DropRing(CSymbianDevice*& head, std::vector<CFileDescription>& descriptions)
{
    NamedRing<CSymbianDevice>::UnlinkAll(head);
    descriptions.clear();
}

}  // namespace

CSymbianConnectRT::CSymbianConnectRT(int bindingId, CTolvTrace* trace, IKivServerServices* services)
    : m_bindingId(bindingId),
      m_trace(trace),
      m_services(services)
{
}

CSymbianConnectRT::~CSymbianConnectRT()
{
    Release();
}

HRESULT CSymbianConnectRT::Init()
{
    m_connected.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_disconnected.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_connected || !m_disconnected)
        return tolv::com::HResultFromLastError();
    if (!m_keepingProxies) {
        OpenProxyKeeper();
        m_keepingProxies = true;
    }
    if (m_eventInterfaces.kept_count() == 0) {
        const HRESULT kept = m_eventInterfaces.keep({DIID_ISCEvents, IID_IDispatch});
        if (FAILED(kept) && m_trace)
            m_trace->Format(1, "Binding %d: event interfaces not kept - 0x%08X", m_bindingId,
                            static_cast<unsigned>(kept));
    }
    try {
        tolv::com::com_ptr<ISCApplication> application;
        KIV_THROW_IF_FAILED(CreateSymbianConnectApplication(application));
        m_application = std::move(application);
        // No phone yet is no failure: the worker waits for one.
        ReadDeviceList();
        if (IKivBindingRegistry* registry = m_services ? m_services->BindingRegistry() : nullptr) {
            registry->RegisterBinding(this);
            m_registered = true;
        }
    } catch (const CKivComError& error) {
        return error.Error();
    }
    return S_OK;
}

void CSymbianConnectRT::Release()
{
    if (m_registered) {
        // Once this returns, the notification thread no longer uses the binding.
        if (IKivBindingRegistry* registry = m_services->BindingRegistry())
            registry->UnregisterBinding(this);
        m_registered = false;
    }
    {
        tolv::com::auto_lock lock(m_handOverLock);
        DropRing(m_handOverDevices, m_handOverDescriptions);
        m_handOverReady = false;
    }
    DropDeviceList();
    m_application.reset();
    if (m_keepingProxies) {
        CloseProxyKeeper();
        m_keepingProxies = false;
    }
    m_eventInterfaces.release();
    m_connected.reset();
    m_disconnected.reset();
}

HRESULT CSymbianConnectRT::GetApplication(tolv::com::com_ptr<ISCApplication>& application) const
{
    application = m_application;
    return S_OK;
}

HRESULT CSymbianConnectRT::ReadDevices(CSymbianDevice*& head, std::vector<CFileDescription>& descriptions) const
{
    if (!m_application)
        return E_UNEXPECTED;
    return RunPhoneOperation(m_trace, TOLV_HERE, [&]() -> HRESULT {
        tolv::com::com_ptr<ISCDeviceCollection> devices;
        KIV_THROW_IF_FAILED(m_application->GetDevices(devices.put()));
        KeepFirstProxyOf(devices.get(), IID_ISCDeviceCollection);
        long count = 0;
        if (!devices || FAILED(devices->GetCount(&count)) || count == 0)
            return E_NOINTERFACE;
        CSymbianDevice* newHead = nullptr;
        std::vector<CFileDescription> newDescriptions;
        try {
            for (long index = 1; index <= count; ++index) {
                tolv::com::com_ptr<ISCDevice> device;
                KIV_THROW_IF_FAILED(devices->Item(tolv::com::LongVariant(index), device.put()));
                BSTR name = nullptr;
                KIV_THROW_IF_FAILED(KIV_REQUIRE(device.get())->GetName(&name));
                auto* node = new CSymbianDevice(m_bindingId, m_trace, std::move(device), AdoptText(name));
                newDescriptions.push_back(node->Describe());
                NamedRing<CSymbianDevice>::Append(newHead, node);
            }
        } catch (...) {
            NamedRing<CSymbianDevice>::UnlinkAll(newHead);
            throw;
        }
        head = newHead;
        descriptions = std::move(newDescriptions);
        return S_OK;
    });
}

HRESULT CSymbianConnectRT::ReadDeviceList()
{
    if (m_devices)
        return E_UNEXPECTED;
    return ReadDevices(m_devices, m_descriptions);
}

void CSymbianConnectRT::DropDeviceList()
{
    DropRing(m_devices, m_descriptions);
}

void CSymbianConnectRT::AdoptSignalledDevices()
{
    CSymbianDevice* devices = nullptr;
    std::vector<CFileDescription> descriptions;
    {
        tolv::com::auto_lock lock(m_handOverLock);
        if (!m_handOverReady)
            return;
        std::swap(devices, m_handOverDevices);
        descriptions.swap(m_handOverDescriptions);
        m_handOverReady = false;
    }
    DropDeviceList();
    m_devices = devices;
    m_descriptions = std::move(descriptions);
}

HRESULT CSymbianConnectRT::GetCurrentDeviceDescription(CFileDescription& device)
{
    AdoptSignalledDevices();
    if (!m_devices)
        ReadDeviceList();
    if (!m_devices)
        return KIV_E_NOCONNECTION;
    device = m_devices->Describe();
    return S_OK;
}

HRESULT CSymbianConnectRT::RereadDeviceList(std::vector<CFileDescription>& devices)
{
    AdoptSignalledDevices();
    DropDeviceList();
    HRESULT hr = ReadDeviceList();
    devices = m_descriptions;
    return hr == E_NOINTERFACE ? S_OK : hr;
}

HRESULT CSymbianConnectRT::WaitForConnection(DWORD timeoutMs, CFileDescription* device)
{
    CFileDescription current;
    if (SUCCEEDED(GetCurrentDeviceDescription(current))) {
        if (device)
            *device = current;
        return S_OK;
    }
    DispatchPendingMessages();
    m_trace->Format(3, "Wait For Connection");
    if (m_connected && WaitForSingleObject(m_connected.get(), timeoutMs) == WAIT_OBJECT_0) {
        HRESULT hr = GetCurrentDeviceDescription(current);
        if (SUCCEEDED(hr) && device)
            *device = current;
        return hr;
    }
    m_trace->Format(3, "time-out (%d ms) elapsed - no connection established", static_cast<int>(timeoutMs));
    tolv::trace::Warning(kNoConnectionInTime, m_trace);
    return KIV_E_NOCONNECTION;
}

bool CSymbianConnectRT::ReadDevicesForWorker()
{
    CSymbianDevice* devices = nullptr;
    std::vector<CFileDescription> descriptions;
    ReadDevices(devices, descriptions);
    const bool known = devices != nullptr;
    CSymbianDevice* replaced = nullptr;
    std::vector<CFileDescription> replacedDescriptions;
    {
        tolv::com::auto_lock lock(m_handOverLock);
        std::swap(replaced, m_handOverDevices);
        replacedDescriptions.swap(m_handOverDescriptions);
        m_handOverDevices = devices;
        m_handOverDescriptions = std::move(descriptions);
        m_handOverReady = true;
    }
    // A list the worker never took over was never walked: it can go here.
    DropRing(replaced, replacedDescriptions);
    return known;
}

void CSymbianConnectRT::SignalConnected()
{
    m_trace->Format(3, "Signal connected");
    if (ReadDevicesForWorker()) {
        SetEvent(m_connected.get());
        ResetEvent(m_disconnected.get());
    }
}

void CSymbianConnectRT::SignalDisconnected()
{
    m_trace->Format(3, "Signal disconnected");
    if (!ReadDevicesForWorker()) {
        ResetEvent(m_connected.get());
        SetEvent(m_disconnected.get());
    }
}

HRESULT CSymbianConnectRT::InvalidateParentFolder(const wchar_t* path, CKivString* folderPath)
{
    CFileDescription device;
    HRESULT hr = GetCurrentDeviceDescription(device);
    TOLV_RETURN_IF_FAILED(hr);
    CFileDescription parent;
    hr = device.Device()->GetParentDirectory(path, parent);
    if (SUCCEEDED(hr) && parent.Kind() == KIND_FOLDER) {
        parent.Directory()->Invalidate();
        if (folderPath)
            *folderPath = parent.Name();
    }
    return hr;
}

HRESULT CSymbianConnectRT::OnInvalidateParent(const wchar_t* path, bool notify)
{
    m_trace->Format(3, ">>>OnInvalidateParent(%s) ...", CKivString(path).Narrow().c_str());
    HRESULT hr = InvalidateParentFolder(path, nullptr);
    if (m_services)
        if (CKivWorker* listing = m_services->Worker(KivWorkerRole::Listing)) {
            CRequestData request(REQ_INVALIDATE_PARENT);
            request.m_firstStringArg = path;
            request.m_firstBooleanArg = notify;
            listing->PostRequest(request);
        }
    m_trace->Format(3, "<<<OnInvalidateParent - hr=0x%08X", static_cast<unsigned>(hr));
    return hr;
}

HRESULT CSymbianConnectRT::OnInvalidateAll()
{
    AdoptSignalledDevices();
    if (!m_devices)
        return S_OK;
    CSymbianDevice* device = m_devices;
    do {
        device->OnInvalidateAll();
        device = device->Next();
    } while (device != m_devices);
    return S_OK;
}
