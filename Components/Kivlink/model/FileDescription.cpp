#include "FileDescription.h"

#include "NamedRing.h"
#include "SymbianDevice.h"
#include "SymbianDeviceDirectory.h"
#include "SymbianDeviceDrive.h"
#include "SymbianDeviceFile.h"

#include "trace/TolvTrace.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("CFileDescription");

CFileDescription::CFileDescription(CSymbianDevice* device, const CKivString& name)
    : m_name(name),
      m_device(device),
      m_kind(KIND_DEVICE)
{
}

CFileDescription::CFileDescription(CSymbianDeviceDrive* drive, const CKivString& name)
    : m_name(name),
      m_drive(drive),
      m_kind(KIND_DRIVE)
{
}

CFileDescription::CFileDescription(CSymbianDeviceDirectory* folder, const CKivString& name)
    : m_name(name),
      m_mmcRoot(EqualAsciiIgnoringCase(std::wstring_view(name.c_str(), name.length()), L"E:\\")),
      m_folder(folder),
      m_kind(KIND_FOLDER)
{
}

CFileDescription::CFileDescription(CSymbianDeviceFile* file, const CKivString& name)
    : m_name(name),
      m_file(file),
      m_kind(KIND_FILE)
{
}

CFileDescription::CFileDescription() = default;
CFileDescription::CFileDescription(const CFileDescription& other) = default;
CFileDescription& CFileDescription::operator=(const CFileDescription& other) = default;
CFileDescription::~CFileDescription() = default;

CTolvTrace* CFileDescription::Trace() const
{
    if (m_device)
        return m_device->Trace();
    if (m_drive)
        return m_drive->Trace();
    if (m_folder)
        return m_folder->Trace();
    if (m_file)
        return m_file->Trace();
    return nullptr;
}

HRESULT CFileDescription::GetAttributes(long& attributes)
{
    if (m_attributes == -1) {
        switch (m_kind) {
        case KIND_FOLDER:
            m_attributes = m_mmcRoot ? KIV_MMC_ROOT_ATTRIBUTES : KIV_FOLDER_ATTRIBUTES;
            break;
        case KIND_FILE: {
            long read = 0;
            HRESULT hr = m_file->KnownAttributes(read);
            TOLV_RETURN_IF_FAILED(hr);
            m_attributes = read;
            break;
        }
        case KIND_DEVICE:
        case KIND_DRIVE:
            m_attributes = KIV_NORMAL_ATTRIBUTES;
            break;
        default:
            return E_UNEXPECTED;
        }
    }
    attributes = m_attributes;
    return S_OK;
}

HRESULT CFileDescription::GetSize(long& size)
{
    if (m_size == -1) {
        switch (m_kind) {
        case KIND_FOLDER:
            m_size = 0;
            break;
        case KIND_FILE: {
            long read = 0;
            HRESULT hr = m_file->KnownSize(read);
            TOLV_RETURN_IF_FAILED(hr);
            m_size = read;
            break;
        }
        case KIND_DEVICE:
        case KIND_DRIVE:
            tolv::trace::Warning(TOLV_HERE, Trace());
            m_size = 0;
            break;
        default:
            return E_UNEXPECTED;
        }
    }
    size = m_size;
    return S_OK;
}

HRESULT CFileDescription::GetDate(DATE& date)
{
    if (m_date == 0) {
        switch (m_kind) {
        case KIND_FOLDER:
            break;
        case KIND_FILE: {
            DATE read = 0;
            HRESULT hr = m_file->KnownDate(read);
            TOLV_RETURN_IF_FAILED(hr);
            m_date = read;
            break;
        }
        case KIND_DEVICE:
        case KIND_DRIVE:
            tolv::trace::Warning(TOLV_HERE, Trace());
            break;
        default:
            return E_UNEXPECTED;
        }
    }
    date = m_date;
    return S_OK;
}

bool CFileDescription::HasReadOnlyBit()
{
    long attributes = 0;
    return m_kind == KIND_FILE && SUCCEEDED(GetAttributes(attributes)) && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

HRESULT CFileDescription::GetDisplayName(CKivString& name)
{
    if (!m_displayNameKnown) {
        if (m_device)
            m_displayName = m_device->GetName();
        else if (m_drive)
            m_displayName = m_drive->GetName();
        else if (m_folder)
            m_displayName = m_folder->GetName();
        else if (m_file)
            m_displayName = m_file->GetName();
        else
            return E_UNEXPECTED;
        m_displayNameKnown = true;
    }
    name = m_displayName;
    return S_OK;
}
