#include "platform/phonesim/MessageCentreObject.h"

#include "com/HResult.h"
#include "platform/phonesim/ObjectHelpers.h"
#include "platform/phonesim/SimResults.h"
#include "platform/phonesim/SimWorld.h"

namespace phonesim {

namespace {

// A message type module the phone does not have.
constexpr HRESULT kUnknownMtm = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);

}  // namespace

HRESULT CMessageCentre::Initialise()
{
    try {
        for (const auto& phone : CSimWorld::Instance().Phones()) {
            if (phone->IsConnected()) {
                tolv::com::auto_lock lock(m_lock);
                m_phone = phone;
                return S_OK;
            }
        }
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    return kNotConnected;
}

HRESULT CMessageCentre::BoundPhone(std::shared_ptr<CSimPhone>& phone) const
{
    {
        tolv::com::auto_lock lock(m_lock);
        phone = m_phone;
    }
    RETURN_HR_IF(E_UNEXPECTED, !phone);
    return CheckConnected(*phone);
}

HRESULT CMessageCentre::MtmVersion(LONG mtmUid, SHORT* major, SHORT* minor, SHORT* build, SHORT* revision)
{
    RETURN_HR_IF(E_POINTER, major == nullptr || minor == nullptr || build == nullptr || revision == nullptr);
    *major = *minor = *build = *revision = 0;
    std::shared_ptr<CSimPhone> phone;
    RETURN_IF_FAILED(BoundPhone(phone));
    RETURN_HR_IF(kUnknownMtm, mtmUid != kMessageBrowserMtmUid);
    LONG mtmRevision = 0;
    RETURN_IF_FAILED(CSimWorld::Instance().Condition().Get(conditionMtmRevision, mtmRevision));
    *major = kMtmMajor;
    *minor = kMtmMinor;
    *build = kMtmBuild;
    // The field is 16 bits wide; a revision above 32767 keeps its bits.
    *revision = static_cast<SHORT>(static_cast<USHORT>(mtmRevision));
    return S_OK;
}

HRESULT CMessageCentre::GetBatterySignal(LONG* battery, LONG* signal)
{
    RETURN_HR_IF(E_POINTER, battery == nullptr || signal == nullptr);
    *battery = *signal = 0;
    std::shared_ptr<CSimPhone> phone;
    RETURN_IF_FAILED(BoundPhone(phone));
    CSimWorld::Instance().Condition().TakeReading(*battery, *signal);
    return S_OK;
}

}  // namespace phonesim
