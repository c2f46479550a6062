// The phone's messaging centre (class MessageCentre): bound by Initialise to the phone that
// is connected then, it answers the version of a message type module and reads battery and
// signal of that phone for as long as it stays connected.
#pragma once

#include <memory>

#include "SymbianConnect.h"
#include "com/ComObject.h"
#include "com/CriticalSection.h"
#include "platform/phonesim/ScTypeLibrary.h"
#include "platform/phonesim/SimPhone.h"

namespace phonesim {

// The message browser module, the one module whose version the simulated phone knows.
inline constexpr LONG kMessageBrowserMtmUid = 0x10004E05;

class CMessageCentre : public tolv::com::DispatchImpl<IMessageCentre, kScLibrary> {
public:
    using interface_map = tolv::com::interface_map<IMessageCentre, tolv::com::entry_via<IDispatch, IMessageCentre>>;

    // The message browser's version is 1.2.300.r, r being the revision set for the phone.
    static constexpr SHORT kMtmMajor = 1;
    static constexpr SHORT kMtmMinor = 2;
    static constexpr SHORT kMtmBuild = 300;

    HRESULT STDMETHODCALLTYPE Initialise() override;
    HRESULT STDMETHODCALLTYPE MtmVersion(LONG mtmUid, SHORT* major, SHORT* minor, SHORT* build,
                                         SHORT* revision) override;
    HRESULT STDMETHODCALLTYPE GetBatterySignal(LONG* battery, LONG* signal) override;

private:
    // S_OK with the bound phone while it is connected; E_UNEXPECTED before Initialise.
    HRESULT BoundPhone(std::shared_ptr<CSimPhone>& phone) const;

    mutable tolv::com::critical_section m_lock;
    std::shared_ptr<CSimPhone> m_phone;
};

}  // namespace phonesim
