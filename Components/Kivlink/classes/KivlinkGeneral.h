#pragma once
// KivGeneral: who the connected phone is, how it is doing, and its connection.
#include "KivlinkTypeLibrary.h"

#include "com/ErrorInfo.h"

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
};
