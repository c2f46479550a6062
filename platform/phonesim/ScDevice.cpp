#include "platform/phonesim/ScDevice.h"

#include "com/HResult.h"
#include "platform/phonesim/BackupOperation.h"
#include "platform/phonesim/ObjectHelpers.h"
#include "platform/phonesim/RestoreOperation.h"
#include "platform/phonesim/ScDrive.h"
#include "platform/phonesim/SimWorld.h"

namespace phonesim {

HRESULT MakeDeviceCollection(std::vector<PhoneRef> phones, const LinkRef& link, ISCDeviceCollection** devices)
{
    RETURN_HR_IF_NULL(E_POINTER, devices);
    *devices = nullptr;
    tolv::com::com_ptr<ISCDeviceCollection> made;
    RETURN_IF_FAILED(tolv::com::MakeComObject<CScDeviceCollection>(made, std::move(phones), link));
    *devices = made.detach();
    return S_OK;
}

HRESULT MakeDeviceObject(const PhoneRef& phone, const LinkRef& link, tolv::com::com_ptr<IDispatch>& device)
{
    return tolv::com::MakeComObject<CScDevice>(device, phone, link);
}

HRESULT MakeDeviceObject(const PhoneRef& phone, const LinkRef& link, ISCDevice** device)
{
    RETURN_HR_IF_NULL(E_POINTER, device);
    *device = nullptr;
    tolv::com::com_ptr<ISCDevice> made;
    RETURN_IF_FAILED(tolv::com::MakeComObject<CScDevice>(made, phone, link));
    *device = made.detach();
    return S_OK;
}

HRESULT CScDeviceCollection::Item(VARIANT index, ISCDevice** device)
{
    RETURN_HR_IF_NULL(E_POINTER, device);
    *device = nullptr;
    size_t position = 0;
    RETURN_IF_FAILED(IndexFromVariant(index, m_phones.size(), position));
    return MakeDeviceObject(m_phones[position], m_link, device);
}

HRESULT CScDeviceCollection::GetCount(LONG* count)
{
    return ReturnLong(static_cast<LONG>(m_phones.size()), count);
}

HRESULT CScDevice::GetName(BSTR* name)
{
    return ReturnText(m_phone->Name(), name);
}

HRESULT CScDevice::GetManufacturer(BSTR* manufacturer)
{
    return ReturnText(m_phone->Settings().manufacturer, manufacturer);
}

HRESULT CScDevice::GetIdentifier(BSTR* identifier)
{
    return ReturnText(m_phone->Settings().identifier, identifier);
}

HRESULT CScDevice::GetSoftwareVersion(BSTR* version)
{
    return ReturnText(L"V 1.0.0 PhoneSim", version);
}

HRESULT CScDevice::IsConnected(VARIANT_BOOL* connected)
{
    return ReturnFlag(m_phone->IsConnected(), connected);
}

HRESULT CScDevice::GetDrives(ISCDriveCollection** drives)
{
    RETURN_HR_IF_NULL(E_POINTER, drives);
    *drives = nullptr;
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    return MakeDriveCollection(m_phone, m_link, drives);
}

wchar_t CScDevice::DriveLetterOf(BSTR driveName) const
{
    const std::wstring text = TextOf(driveName);
    if (text.empty() || text.size() > 3 || (text.size() >= 2 && text[1] != L':') ||
        (text.size() == 3 && text[2] != L'\\')) {
        return 0;
    }
    const wchar_t letter = static_cast<wchar_t>(towupper(text[0]));
    return m_phone->HasDrive(letter) ? letter : 0;
}

HRESULT CScDevice::GetDrive(BSTR driveName, ISCDrive** drive)
{
    RETURN_HR_IF_NULL(E_POINTER, drive);
    *drive = nullptr;
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    const wchar_t letter = DriveLetterOf(driveName);
    RETURN_HR_IF(E_INVALIDARG, letter == 0);
    return MakeDriveObject(m_phone, m_link, letter, drive);
}

HRESULT CScDevice::BackupDrive(BSTR driveName, BSTR backupPath, LONG options, LONG* requestId)
{
    RETURN_HR_IF_NULL(E_POINTER, requestId);
    *requestId = 0;
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    const wchar_t letter = DriveLetterOf(driveName);
    const std::wstring target = TextOf(backupPath);
    RETURN_HR_IF(E_INVALIDARG, letter == 0 || options != 0 || target.empty());
    try {
        auto operation = std::make_shared<CBackupOperation>(m_phone, m_link, letter, target);
        return CSimWorld::Instance().Runner().Start(operation, *requestId);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CScDevice::RestoreDrive(BSTR driveName, BSTR backupPath, LONG options, LONG* requestId)
{
    RETURN_HR_IF_NULL(E_POINTER, requestId);
    *requestId = 0;
    RETURN_IF_FAILED(CheckConnected(*m_phone));
    const wchar_t letter = DriveLetterOf(driveName);
    const std::wstring source = TextOf(backupPath);
    RETURN_HR_IF(E_INVALIDARG, letter == 0 || options != 0 || source.empty());
    const DWORD attributes = GetFileAttributesW(source.c_str());
    RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND),
                 attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY));
    try {
        auto operation = std::make_shared<CRestoreOperation>(m_phone, m_link, letter, source);
        return CSimWorld::Instance().Runner().Start(operation, *requestId);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT CScDevice::CancelRequest(LONG requestId)
{
    return CSimWorld::Instance().Runner().Cancel(requestId) ? S_OK : E_INVALIDARG;
}

HRESULT CScDevice::GetConnectionType(BSTR* connectionType)
{
    return ReturnText(L"USB", connectionType);
}

HRESULT CScDevice::GetRequestState(LONG requestId, LONG* state)
{
    return ReturnLong(CSimWorld::Instance().Runner().State(requestId), state);
}

HRESULT CScDevice::GetModel(BSTR* model)
{
    return ReturnText(m_phone->Settings().model, model);
}

}  // namespace phonesim
