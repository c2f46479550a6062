#include "PhoneLibraryBinding.h"

#include "KivServerServices.h"
#include "KivlinkNotificationThread.h"

HRESULT BindToPhoneLibrary(int bindingId, IKivServerServices& services, CTolvTrace* trace,
                           std::unique_ptr<CSymbianConnectRT>& binding, tolv::com::com_ptr<CSCEventImp>& events)
{
    binding = std::make_unique<CSymbianConnectRT>(bindingId, trace, &services);
    HRESULT hr = binding->Init();
    if (FAILED(hr))
        return hr;
    hr = CSCEventImp::Create(events);
    if (FAILED(hr))
        return hr;
    tolv::com::com_ptr<ISCApplication> application;
    binding->GetApplication(application);
    return events->Advise(application.get(), services.NotificationThread());
}

void ReleasePhoneLibraryBinding(std::unique_ptr<CSymbianConnectRT>& binding, tolv::com::com_ptr<CSCEventImp>& events)
{
    // The sink goes first, so that no event reaches a binding that is being released.
    if (events) {
        events->Unadvise();
        events.reset();
    }
    if (binding) {
        binding->Release();
        binding.reset();
    }
}
