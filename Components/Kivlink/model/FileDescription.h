#pragma once
// What every lookup answers and every listing holds: one device, drive, folder or file of
// the model, with the values read from the phone so far. A description keeps the object it
// names alive, so it stays usable after the model dropped that part of itself.
#include "Components/Kivlink/core/KivString.h"

#include "com/ComPtr.h"

#include <windows.h>
#include <oleauto.h>

class CSymbianDevice;
class CSymbianDeviceDrive;
class CSymbianDeviceDirectory;
class CSymbianDeviceFile;
class CTolvTrace;

enum KivEntryKind : long {
    KIND_NONE = 0,
    KIND_DEVICE = 1,
    KIND_DRIVE = 2,
    KIND_FOLDER = 3,
    KIND_FILE = 4,
};

// Attribute words of folders and of entries without attributes of their own.
constexpr long KIV_FOLDER_ATTRIBUTES = FILE_ATTRIBUTE_DIRECTORY;
constexpr long KIV_MMC_ROOT_ATTRIBUTES = 0x60000010;  // directory, volume, removable
constexpr long KIV_NORMAL_ATTRIBUTES = FILE_ATTRIBUTE_NORMAL;

class CFileDescription {
public:
    CFileDescription();
    // name: the device's or drive's name as the phone reports it, or a folder's or file's
    // full path.
    CFileDescription(CSymbianDevice* device, const CKivString& name);
    CFileDescription(CSymbianDeviceDrive* drive, const CKivString& name);
    CFileDescription(CSymbianDeviceDirectory* folder, const CKivString& name);
    CFileDescription(CSymbianDeviceFile* file, const CKivString& name);
    // Defined where the model's classes are complete; the owners take and drop the references.
    CFileDescription(const CFileDescription& other);
    CFileDescription& operator=(const CFileDescription& other);
    ~CFileDescription();

    KivEntryKind Kind() const { return m_kind; }
    const CKivString& Name() const { return m_name; }
    bool IsMmcRoot() const { return m_mmcRoot; }
    CSymbianDevice* Device() const { return m_device.get(); }
    CSymbianDeviceDrive* Drive() const { return m_drive.get(); }
    CSymbianDeviceDirectory* Directory() const { return m_folder.get(); }
    CSymbianDeviceFile* File() const { return m_file.get(); }

    // Each value is read once (a file's from the phone) and then answered from the cache.
    HRESULT GetAttributes(long& attributes);
    HRESULT GetSize(long& size);
    HRESULT GetDate(DATE& date);
    // A file whose attributes could not be read counts as writable: the phone refuses the
    // change itself if it must.
    bool HasReadOnlyBit();
    // The object's own name: for a folder or a file the last component of its path.
    HRESULT GetDisplayName(CKivString& name);

private:
    CTolvTrace* Trace() const;

    CKivString m_name;
    bool m_mmcRoot = false;
    // The one object the description names (by its kind); the others stay empty.
    tolv::com::com_ptr<CSymbianDevice> m_device;
    tolv::com::com_ptr<CSymbianDeviceDrive> m_drive;
    tolv::com::com_ptr<CSymbianDeviceDirectory> m_folder;
    tolv::com::com_ptr<CSymbianDeviceFile> m_file;
    long m_attributes = -1;
    CKivString m_displayName;
    bool m_displayNameKnown = false;
    long m_size = -1;
    DATE m_date = 0;
    KivEntryKind m_kind = KIND_NONE;
};
