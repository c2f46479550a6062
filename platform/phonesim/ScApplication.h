// The application object (class SCApplication): every client creation gets its own, all of
// them looking at the same simulated phones. Connectable for ISCEvents.
#pragma once

#include <memory>

#include "SymbianConnect.h"
#include "com/ComObject.h"
#include "com/ConnectionPoint.h"
#include "platform/phonesim/ApplicationLink.h"
#include "platform/phonesim/ScTypeLibrary.h"

namespace phonesim {

class CScApplication : public tolv::com::DispatchImpl<ISCApplication, kScLibrary>,
                       public tolv::com::ConnectionPointContainer {
public:
    using interface_map = tolv::com::interface_map<ISCApplication, tolv::com::entry_via<IDispatch, ISCApplication>,
                                                   IConnectionPointContainer>;

    CScApplication();
    HRESULT FinalConstruct();
    void FinalRelease();

    HRESULT STDMETHODCALLTYPE GetDevices(ISCDeviceCollection** devices) override;
    HRESULT STDMETHODCALLTYPE GetLibraryVersion(BSTR* version) override;
    HRESULT STDMETHODCALLTYPE CancelRequest(LONG requestId) override;

private:
    tolv::com::ConnectionPoint& m_events;
    std::shared_ptr<CApplicationLink> m_link;
};

}  // namespace phonesim
