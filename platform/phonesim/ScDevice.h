// A connected phone as the client sees it, and the collection of them.
#pragma once

#include <vector>

#include "platform/phonesim/ScObjectFactory.h"
#include "platform/phonesim/ScTypeLibrary.h"

namespace phonesim {

HRESULT MakeDeviceCollection(std::vector<PhoneRef> phones, const LinkRef& link, ISCDeviceCollection** devices);

class CScDeviceCollection : public tolv::com::DispatchImpl<ISCDeviceCollection, kScLibrary> {
public:
    using interface_map =
        tolv::com::interface_map<ISCDeviceCollection, tolv::com::entry_via<IDispatch, ISCDeviceCollection>>;

    CScDeviceCollection(std::vector<PhoneRef> phones, LinkRef link)
        : m_phones(std::move(phones)),
          m_link(std::move(link))
    {
    }

    HRESULT STDMETHODCALLTYPE Item(VARIANT index, ISCDevice** device) override;
    HRESULT STDMETHODCALLTYPE GetCount(LONG* count) override;

private:
    std::vector<PhoneRef> m_phones;
    LinkRef m_link;
};

class CScDevice : public tolv::com::DispatchImpl<ISCDevice, kScLibrary> {
public:
    using interface_map = tolv::com::interface_map<ISCDevice, tolv::com::entry_via<IDispatch, ISCDevice>>;

    CScDevice(PhoneRef phone, LinkRef link) : m_phone(std::move(phone)), m_link(std::move(link)) {}

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetManufacturer(BSTR* manufacturer) override;
    HRESULT STDMETHODCALLTYPE GetIdentifier(BSTR* identifier) override;
    HRESULT STDMETHODCALLTYPE GetSoftwareVersion(BSTR* version) override;
    HRESULT STDMETHODCALLTYPE IsConnected(VARIANT_BOOL* connected) override;
    HRESULT STDMETHODCALLTYPE GetDrives(ISCDriveCollection** drives) override;
    HRESULT STDMETHODCALLTYPE GetDrive(BSTR driveName, ISCDrive** drive) override;
    HRESULT STDMETHODCALLTYPE BackupDrive(BSTR driveName, BSTR backupPath, LONG options, LONG* requestId) override;
    HRESULT STDMETHODCALLTYPE RestoreDrive(BSTR driveName, BSTR backupPath, LONG options, LONG* requestId) override;
    HRESULT STDMETHODCALLTYPE CancelRequest(LONG requestId) override;
    HRESULT STDMETHODCALLTYPE GetConnectionType(BSTR* connectionType) override;
    HRESULT STDMETHODCALLTYPE GetRequestState(LONG requestId, LONG* state) override;
    HRESULT STDMETHODCALLTYPE GetModel(BSTR* model) override;

private:
    // The letter of a drive name ("C:", "c", "C:\"), 0 when the phone has no such drive.
    wchar_t DriveLetterOf(BSTR driveName) const;

    PhoneRef m_phone;
    LinkRef m_link;
};

}  // namespace phonesim
