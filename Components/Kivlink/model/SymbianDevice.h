#pragma once
// A connected phone and the model of its file system, read lazily one level at a time and
// partly re-read when a lookup misses or an operation changed the phone. A device and
// everything below it are touched by the one worker thread that owns them.
#include "FileDescription.h"
#include "NamedRing.h"

#include "com/ComPtr.h"

#include "SymbianConnect.h"

#include <vector>

class CPhonePath;
class CTolvTrace;

class CSymbianDevice : public NamedRing<CSymbianDevice> {
public:
    // bindingId: the worker binding the device belongs to (1 file worker, 3 listing worker).
    CSymbianDevice(int bindingId, CTolvTrace* trace, tolv::com::com_ptr<ISCDevice> device, CKivString name);
    ~CSymbianDevice() override;

    const CKivString& GetName() const override { return m_name; }
    int BindingId() const { return m_bindingId; }
    CTolvTrace* Trace() const { return m_trace; }
    CFileDescription Describe() { return CFileDescription(this, m_name); }
    ISCDevice* PhoneDevice() const { return m_device.get(); }

    HRESULT GetManufacturer(CKivString& manufacturer);
    HRESULT GetModel(CKivString& model);
    HRESULT GetIdentifier(CKivString& identifier);

    // Lookups: a known name costs no call to the phone; a miss re-reads the one ring once.
    HRESULT GetDrive(const wchar_t* path, CFileDescription& drive);
    HRESULT GetDirectory(const wchar_t* folderPath, CFileDescription& folder);
    HRESULT GetFile(const wchar_t* filePath, CFileDescription& file);
    // The folder itself for a path with an empty last name, else the file, else the folder.
    HRESULT GetEntry(const wchar_t* path, CFileDescription& entry);
    // The folder holding the path's last component; for a path that ends with a backslash,
    // the folder above the named one.
    HRESULT GetParentDirectory(const wchar_t* path, CFileDescription& folder);

    // Listings always read the phone again.
    HRESULT ListDriveEntries(std::vector<CFileDescription>& drives);
    // Files (unless foldersOnly), then child folders, each in the phone's order, keeping
    // those whose own name matches filter (case-sensitive wildcards; empty keeps all).
    HRESULT GetAllEntries(const wchar_t* folderPath, const wchar_t* filter, std::vector<CFileDescription>& entries,
                          bool foldersOnly = false);
    // Depth first: each child folder, then its contents, then the folder's own files.
    HRESULT GetAllEntriesRecursive(const wchar_t* folderPath, const wchar_t* filter,
                                   std::vector<CFileDescription>& entries);

    // Drops the drive ring and so every folder and file read below it.
    HRESULT OnInvalidateAll();

private:
    void DropDrives();
    void ReadDrives();
    HRESULT FindDrive(const wchar_t* name, CFileDescription& drive);
    // From the drive root down through the folder components [1, end) of the path.
    HRESULT WalkFolders(const CPhonePath& path, size_t end, CFileDescription& folder);
    HRESULT ListRecursively(CSymbianDeviceDirectory* folder, std::vector<CFileDescription>& entries);
    static HRESULT KeepMatching(const wchar_t* filter, std::vector<CFileDescription>& entries);

    int m_bindingId;
    CTolvTrace* m_trace;
    tolv::com::com_ptr<ISCDevice> m_device;
    CSymbianDeviceDrive* m_drives = nullptr;
    std::vector<CFileDescription> m_driveDescriptions;
    bool m_drivesRead = false;
    CKivString m_name;
};
