#include "platform/phonesim/ScApplication.h"

#include <new>

#include "platform/phonesim/ObjectHelpers.h"
#include "platform/phonesim/ScDevice.h"
#include "platform/phonesim/SimWorld.h"

namespace phonesim {

CScApplication::CScApplication() : m_events(AddConnectionPoint(DIID_ISCEvents)) {}

HRESULT CScApplication::FinalConstruct()
{
    try {
        m_link = std::make_shared<CApplicationLink>(m_events);
        CSimWorld::Instance().AddLink(m_link);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

void CScApplication::FinalRelease()
{
    if (m_link) {
        m_link->Detach();
        CSimWorld::Instance().RemoveLink(m_link.get());
    }
}

HRESULT CScApplication::GetDevices(ISCDeviceCollection** devices)
{
    return MakeDeviceCollection(CSimWorld::Instance().Phones(), m_link, devices);
}

HRESULT CScApplication::GetLibraryVersion(BSTR* version)
{
    return ReturnText(L"PhoneSim 1.0", version);
}

HRESULT CScApplication::CancelRequest(LONG requestId)
{
    return CSimWorld::Instance().Runner().Cancel(requestId) ? S_OK : E_INVALIDARG;
}

}  // namespace phonesim
