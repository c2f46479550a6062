// The control object (class PhoneSimControl) through which the command line, and tests,
// drive the simulator: phones, transfer rate, faults and the phones' condition.
#pragma once

#include "SymbianConnect.h"
#include "com/ComObject.h"
#include "platform/phonesim/ScTypeLibrary.h"

namespace phonesim {

class CPhoneSimControl : public tolv::com::DispatchImpl<IPhoneSimControl, kScLibrary> {
public:
    using interface_map = tolv::com::interface_map<IPhoneSimControl, tolv::com::entry_via<IDispatch, IPhoneSimControl>>;

    HRESULT STDMETHODCALLTYPE Connect(BSTR name, BSTR model, BSTR manufacturer, BSTR identifier, VARIANT_BOOL withCard,
                                      BSTR root) override;
    HRESULT STDMETHODCALLTYPE Disconnect(BSTR name) override;
    HRESULT STDMETHODCALLTYPE GetStatus(BSTR* text) override;
    HRESULT STDMETHODCALLTYPE ConfigureDrive(BSTR name, BSTR drive, LONG which, BSTR label, LONG capacityLow,
                                             LONG capacityHigh, LONG freeLow, LONG freeHigh) override;
    HRESULT STDMETHODCALLTYPE SetTransferRate(LONG bytesPerSecond) override;
    HRESULT STDMETHODCALLTYPE GetTransferRate(LONG* bytesPerSecond) override;
    HRESULT STDMETHODCALLTYPE ArmFault(PhoneSimFault fault, LONG value) override;
    HRESULT STDMETHODCALLTYPE ClearFaults() override;
    HRESULT STDMETHODCALLTYPE GetFaults(BSTR* text) override;
    HRESULT STDMETHODCALLTYPE GetDriveFolder(BSTR name, BSTR drive, BSTR* folder) override;
    HRESULT STDMETHODCALLTYPE GetCallCount(LONG* calls) override;
    HRESULT STDMETHODCALLTYPE SetPhoneCondition(PhoneSimCondition which, LONG value) override;
    HRESULT STDMETHODCALLTYPE GetPhoneCondition(PhoneSimCondition which, LONG* value) override;
    HRESULT STDMETHODCALLTYPE GetStatusReadingCount(LONG* readings) override;
};

}  // namespace phonesim
