#include "FakeKivlink.h"

#include <vector>

#include "com/ClassFactory.h"
#include "com/DispatchArguments.h"

namespace {

constexpr DISPID kDeviceConnected = 1;

std::vector<tolv::com::com_ptr<tolv::com::ComObject<CFakeKivlinkVolume>>> g_objects;

HRESULT CreateRemembered(IUnknown* outer, REFIID iid, void** result)
{
    *result = nullptr;
    if (outer != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    tolv::com::com_ptr<tolv::com::ComObject<CFakeKivlinkVolume>> object;
    RETURN_IF_FAILED(tolv::com::ComObject<CFakeKivlinkVolume>::Create(object));
    g_objects.push_back(object);
    return object->QueryInterface(iid, result);
}

}  // namespace

HRESULT CFakeKivlinkVolume::FireDeviceConnected(const wchar_t* deviceName, const wchar_t* deviceInformation)
{
    tolv::com::DispatchArguments arguments;
    arguments.add_string(deviceName);
    arguments.add_string(deviceInformation);
    return m_events.FireDispatch(kDeviceConnected, arguments);
}

HRESULT CFakeKivlinkVolume::ListDrives(BSTR* drives)
{
    const HRESULT hr = Answer();
    *drives = SUCCEEDED(hr) ? SysAllocString(L"C:,E:,") : nullptr;
    return hr;
}

CFakeKivlink::CFakeKivlink()
{
    tolv::com::com_ptr<IClassFactory> factory;
    m_registered = tolv::com::ClassFactoryBase::Create(&CreateRemembered, factory);
    if (SUCCEEDED(m_registered)) {
        m_registered =
            CoRegisterClassObject(CLSID_KivVolume2, factory.get(), CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &m_cookie);
    }
}

CFakeKivlink::~CFakeKivlink()
{
    if (SUCCEEDED(m_registered)) {
        CoRevokeClassObject(m_cookie);
    }
    g_objects.clear();
}

size_t CFakeKivlink::ObjectCount() const
{
    return g_objects.size();
}

CFakeKivlinkVolume& CFakeKivlink::Object(size_t index)
{
    return *g_objects.at(index).get();
}
