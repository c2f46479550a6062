#pragma once
// KivGeneral: who the connected phone is, how it is doing, and its connection.
#include "KivlinkTypeLibrary.h"

#include "com/ErrorInfo.h"
#include "core/PhoneStatusReading.h"

#include <optional>

class CKivlinkGeneral : public tolv::com::DispatchImpl<IKivGeneral, g_kivlinkTypeLibrary>,
                        public tolv::com::SupportErrorInfoImpl<IKivGeneral> {
public:
    using interface_map = tolv::com::interface_map<IKivGeneral, ISupportErrorInfo>;

    HRESULT FinalConstruct();
    void FinalRelease();

    HRESULT STDMETHODCALLTYPE GetMobileModel(BSTR* pbstrModel) override;
    HRESULT STDMETHODCALLTYPE GetCommPorts(BSTR* pbstrPorts, LONG lflags, LONG* plPortMask) override;
    HRESULT STDMETHODCALLTYPE IsBluetoothPort(LONG lPortId, VARIANT_BOOL* pbIsBT) override;
    HRESULT STDMETHODCALLTYPE SetConnectionBeep(VARIANT_BOOL bBeep) override;
    HRESULT STDMETHODCALLTYPE GetIMEI(BSTR* pbstrIMEI) override;
    HRESULT STDMETHODCALLTYPE GetCharge(LONG* plCharge) override;
    HRESULT STDMETHODCALLTYPE GetSignalQuality(LONG* plLevel, LONG* plBER) override;
    HRESULT STDMETHODCALLTYPE GetMobileManufacturer(BSTR* pbstrManufacturer) override;
    HRESULT STDMETHODCALLTYPE GetMobileInfo(BSTR* pbstrManufacturer, BSTR* pbstrModel, BSTR* pbstrIMEI,
                                            BSTR* pbstrSoftwareVersion, LONG* plCharge) override;
    HRESULT STDMETHODCALLTYPE SuspendConnection() override;
    HRESULT STDMETHODCALLTYPE ResumeConnection() override;
    HRESULT STDMETHODCALLTYPE SetPort(BSTR bstrPort) override;
    HRESULT STDMETHODCALLTYPE ResetPort(BSTR bstrPort) override;
    HRESULT STDMETHODCALLTYPE GetConnectionState(KivGeneralConnectionState* peConnectionState) override;

private:
    static HRESULT Report(HRESULT hr);
    // Battery and signal from this object's reading while it is younger than 20 minutes and no
    // phone connected since; otherwise a new reading. The lines name the asking method.
    HRESULT CurrentStatus(const char* oldValueLine, const char* refreshLine, long& charge, long& signal);

    std::optional<CPhoneStatusReading> m_reading;
    DWORD m_readingTick = 0;
    LONG m_connectCounterSeen = 0;
};
