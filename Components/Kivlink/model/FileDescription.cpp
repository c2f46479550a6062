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
    AddRefObjects();
}

CFileDescription::CFileDescription(CSymbianDeviceDrive* drive, const CKivString& name)
    : m_name(name),
      m_drive(drive),
      m_kind(KIND_DRIVE)
{
    AddRefObjects();
}

CFileDescription::CFileDescription(CSymbianDeviceDirectory* folder, const CKivString& name)
    : m_name(name),
      m_mmcRoot(EqualNamesIgnoringCase(name.c_str(), L"E:\\")),
      m_folder(folder),
      m_kind(KIND_FOLDER)
{
    AddRefObjects();
}

CFileDescription::CFileDescription(CSymbianDeviceFile* file, const CKivString& name)
    : m_name(name),
      m_file(file),
      m_kind(KIND_FILE)
{
    AddRefObjects();
}

CFileDescription::CFileDescription(const CFileDescription& other)
    : m_name(other.m_name),
      m_mmcRoot(other.m_mmcRoot),
      m_device(other.m_device),
      m_drive(other.m_drive),
      m_folder(other.m_folder),
      m_file(other.m_file),
      m_attributes(other.m_attributes),
      m_displayName(other.m_displayName),
      m_displayNameKnown(other.m_displayNameKnown),
      m_size(other.m_size),
      m_date(other.m_date),
      m_kind(other.m_kind)
{
    AddRefObjects();
}

CFileDescription& CFileDescription::operator=(const CFileDescription& other)
{
    if (this != &other) {
        CFileDescription copy(other);
        ReleaseObjects();
        m_name = copy.m_name;
        m_mmcRoot = copy.m_mmcRoot;
        m_device = copy.m_device;
        m_drive = copy.m_drive;
        m_folder = copy.m_folder;
        m_file = copy.m_file;
        m_attributes = copy.m_attributes;
        m_displayName = copy.m_displayName;
        m_displayNameKnown = copy.m_displayNameKnown;
        m_size = copy.m_size;
        m_date = copy.m_date;
        m_kind = copy.m_kind;
        AddRefObjects();
    }
    return *this;
}

CFileDescription::~CFileDescription()
{
    ReleaseObjects();
}

void CFileDescription::AddRefObjects()
{
    if (m_device)
        m_device->AddRef();
    if (m_drive)
        m_drive->AddRef();
    if (m_folder)
        m_folder->AddRef();
    if (m_file)
        m_file->AddRef();
}

void CFileDescription::ReleaseObjects()
{
    if (m_device)
        m_device->Release();
    if (m_drive)
        m_drive->Release();
    if (m_folder)
        m_folder->Release();
    if (m_file)
        m_file->Release();
    m_device = nullptr;
    m_drive = nullptr;
    m_folder = nullptr;
    m_file = nullptr;
}

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
            HRESULT hr = m_file->ReadAttributes(read);
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
            HRESULT hr = m_file->ReadSize(read);
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
            HRESULT hr = m_file->ReadDate(read);
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
