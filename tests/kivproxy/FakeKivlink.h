#pragma once
// Kivlink's KivVolume2 class played in the test's own apartment, registered as a local server
// class of this process, which COM then prefers to starting Kivlink. Under Wine a Kivlink
// ended from outside leaves its class registration behind, so that no new Kivlink can be
// started until the prefix restarts: a Kivlink that goes away is played here instead. An
// object that "lost its server" answers every call as a proxy into a dead process does.
#include "KivlinkLib.h"

#include "com/ComObject.h"
#include "com/ConnectionPoint.h"

class CFakeKivlinkVolume : public IKivVolume2, public tolv::com::ConnectionPointContainer {
public:
    using interface_map = tolv::com::interface_map<IKivVolume2, IConnectionPointContainer>;

    CFakeKivlinkVolume() : m_events(AddConnectionPoint(DIID_IKivAllServerEvents)) {}

    // From now on every call fails with `failure` (RPC_S_SERVER_UNAVAILABLE, RPC_S_CALL_FAILED).
    void LoseServer(HRESULT failure) { m_failure = failure; }
    int CallCount() const { return m_calls; }
    size_t SinkCount() const { return m_events.SinkCount(); }
    HRESULT FireDeviceConnected(const wchar_t* deviceName, const wchar_t* deviceInformation);

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE ListDevices(BSTR*) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE SelectDevice(BSTR) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE ListDrives(BSTR* drives) override;
    HRESULT STDMETHODCALLTYPE FormatDrive(BSTR, LONG) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE BackupDrive(BSTR, BSTR, LONG) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE RestoreDrive(BSTR, BSTR, LONG) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE ListEntries(BSTR, VARIANT_BOOL, BSTR*) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE GetInfo(BSTR, BSTR*) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE CopyToPC(BSTR, BSTR, LONG) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE CopyFromPC(BSTR, BSTR, LONG) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE CopyInDevice(BSTR, BSTR, LONG) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE RemoveEntry(BSTR) override { return Answer(); }
    HRESULT STDMETHODCALLTYPE CreateEntry(BSTR) override { return Answer(); }

private:
    // S_OK while the server lives: the call itself is not what these tests look at.
    HRESULT Answer()
    {
        ++m_calls;
        return m_failure;
    }

    tolv::com::ConnectionPoint& m_events;
    HRESULT m_failure = S_OK;
    int m_calls = 0;
};

// Registers the class for CLSID_KivVolume2 in this apartment for its lifetime; every object
// it creates is remembered in creation order.
class CFakeKivlink {
public:
    CFakeKivlink();
    ~CFakeKivlink();
    CFakeKivlink(const CFakeKivlink&) = delete;
    CFakeKivlink& operator=(const CFakeKivlink&) = delete;

    HRESULT Registered() const { return m_registered; }
    size_t ObjectCount() const;
    CFakeKivlinkVolume& Object(size_t index);

private:
    HRESULT m_registered = E_FAIL;
    DWORD m_cookie = 0;
};
