#include "PhoneLibraryBinding.h"

#include "KivServerServices.h"
#include "KivWorker.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("PhoneLibraryBinding");

HRESULT BindToPhoneLibrary(int bindingId, IKivServerServices& services, CTolvTrace* trace,
                           std::unique_ptr<CSymbianConnectRT>& binding, tolv::com::com_ptr<CSCEventImp>& events)
{
    binding = std::make_unique<CSymbianConnectRT>(bindingId, trace, &services);
    HRESULT hr = binding->Init();
    TOLV_RETURN_IF_FAILED(hr);
    hr = CSCEventImp::Create(events);
    TOLV_RETURN_IF_FAILED(hr);
    tolv::com::com_ptr<ISCApplication> application;
    binding->GetApplication(application);
    return events->Advise(application.get(), services.Worker(KivWorkerRole::Notifications));
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
