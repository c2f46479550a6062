#include "SymbianDevice.h"

#include "PhoneCalls.h"
#include "ProxyKeeper.h"
#include "SymbianDeviceDirectory.h"
#include "SymbianDeviceDrive.h"
#include "WildcardMatch.h"

#include "Components/Kivlink/paths/PhonePath.h"

#include "KivlinkLib.h"

#include <algorithm>
#include <utility>

TOLV_TRACE_UNIT("CSymbianDevice");

CSymbianDevice::CSymbianDevice(int bindingId, CTolvTrace* trace, tolv::com::com_ptr<ISCDevice> device, CKivString name)
    : m_bindingId(bindingId),
      m_trace(trace),
      m_device(std::move(device)),
      m_name(std::move(name))
{
}

CSymbianDevice::~CSymbianDevice()
{
    DropDrives();
}

HRESULT CSymbianDevice::GetManufacturer(CKivString& manufacturer)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        BSTR text = nullptr;
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_device.get())->GetManufacturer(&text));
        manufacturer = AdoptText(text);
        return S_OK;
    });
}

HRESULT CSymbianDevice::GetModel(CKivString& model)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        BSTR text = nullptr;
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_device.get())->GetModel(&text));
        model = AdoptText(text);
        return S_OK;
    });
}

HRESULT CSymbianDevice::GetIdentifier(CKivString& identifier)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        BSTR text = nullptr;
        KIV_THROW_IF_FAILED(KIV_REQUIRE(m_device.get())->GetIdentifier(&text));
        identifier = AdoptText(text);
        return S_OK;
    });
}

void CSymbianDevice::DropDrives()
{
    NamedRing<CSymbianDeviceDrive>::UnlinkAll(m_drives);
    m_driveDescriptions.clear();
    m_drivesRead = false;
}

void CSymbianDevice::ReadDrives()
{
    tolv::com::com_ptr<ISCDriveCollection> drives;
    KIV_THROW_IF_FAILED(KIV_REQUIRE(m_device.get())->GetDrives(drives.put()));
    KeepFirstProxyOf(drives.get(), IID_ISCDriveCollection);
    long count = 0;
    KIV_THROW_IF_FAILED(KIV_REQUIRE(drives.get())->GetCount(&count));
    CSymbianDeviceDrive* head = nullptr;
    std::vector<CFileDescription> descriptions;
    try {
        for (long index = 1; index <= count; ++index) {
            tolv::com::com_ptr<ISCDrive> drive;
            KIV_THROW_IF_FAILED(drives->Item(tolv::com::LongVariant(index), drive.put()));
            BSTR text = nullptr;
            KIV_THROW_IF_FAILED(KIV_REQUIRE(drive.get())->GetName(&text));
            CKivString name = AdoptText(text);
            tolv::com::com_ptr<ISCDriveSpace> space;
            KIV_THROW_IF_FAILED(drive.query(space));
            auto* node = new CSymbianDeviceDrive(m_trace, std::move(drive), std::move(space), name);
            CFileDescription description = node->Describe();
            descriptions.push_back(description);
            NamedRing<CSymbianDeviceDrive>::Append(head, node);
        }
    } catch (...) {
        NamedRing<CSymbianDeviceDrive>::UnlinkAll(head);
        throw;
    }
    m_drives = head;
    m_driveDescriptions = std::move(descriptions);
    m_drivesRead = true;
}

HRESULT CSymbianDevice::FindDrive(const wchar_t* name, CFileDescription& drive)
{
    return RunPhoneOperation(m_trace, TOLV_HERE, [&]() -> HRESULT {
        if (m_drivesRead)
            if (CSymbianDeviceDrive* found = NamedRing<CSymbianDeviceDrive>::Find(m_drives, name)) {
                drive = found->Describe();
                return S_OK;
            }
        DropDrives();
        ReadDrives();
        if (CSymbianDeviceDrive* found = NamedRing<CSymbianDeviceDrive>::Find(m_drives, name)) {
            drive = found->Describe();
            return S_OK;
        }
        m_trace->Format(3, "E_STATE: Drive %s not found", CKivString(name).Narrow().c_str());
        return KIV_E_DRIVENOTFOUND;
    });
}

HRESULT CSymbianDevice::GetDrive(const wchar_t* path, CFileDescription& drive)
{
    CPhonePath parsed(path);
    if (!parsed.IsValid())
        return E_INVALIDARG;
    return FindDrive(parsed.Name(0).c_str(), drive);
}

HRESULT CSymbianDevice::WalkFolders(const CPhonePath& path, size_t end, CFileDescription& folder)
{
    if (!path.IsValid())
        return E_INVALIDARG;
    CFileDescription drive;
    HRESULT hr = FindDrive(path.Name(0).c_str(), drive);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    CFileDescription current;
    hr = drive.Drive()->GetRootFolder(current);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    for (size_t index = 1; index < end && index < path.ComponentCount(); ++index) {
        const CKivString& name = path.Name(index);
        if (name.empty())
            continue;
        CFileDescription child;
        hr = current.Directory()->GetSubFolder(name.c_str(), child);
        TOLV_RETURN_IF_FAILED_EXPECTED(hr);
        current = child;
    }
    folder = current;
    return S_OK;
}

HRESULT CSymbianDevice::GetDirectory(const wchar_t* folderPath, CFileDescription& folder)
{
    m_trace->Format(3, "Enter GetDirectory");
    CPhonePath path(folderPath);
    HRESULT hr = WalkFolders(path, path.ComponentCount(), folder);
    m_trace->Format(3, "Exit GetDirectory");
    return hr;
}

HRESULT CSymbianDevice::GetFile(const wchar_t* filePath, CFileDescription& file)
{
    CPhonePath path(filePath);
    if (!path.IsValid())
        return E_INVALIDARG;
    const size_t count = path.ComponentCount();
    if (count < 2 || path.Name(count - 1).empty())
        return KIV_E_FILENOTFOUND;
    CFileDescription folder;
    HRESULT hr = WalkFolders(path, count - 1, folder);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    return folder.Directory()->GetFileInFolder(path.Name(count - 1).c_str(), file);
}

HRESULT CSymbianDevice::GetEntry(const wchar_t* entryPath, CFileDescription& entry)
{
    CPhonePath path(entryPath);
    if (!path.IsValid())
        return E_INVALIDARG;
    const size_t count = path.ComponentCount();
    if (count < 2)
        return WalkFolders(path, count, entry);
    CFileDescription folder;
    HRESULT hr = WalkFolders(path, count - 1, folder);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    const CKivString& last = path.Name(count - 1);
    if (last.empty()) {
        entry = folder;
        return S_OK;
    }
    if (SUCCEEDED(folder.Directory()->GetFileInFolder(last.c_str(), entry)))
        return S_OK;
    return folder.Directory()->GetSubFolder(last.c_str(), entry);
}

HRESULT CSymbianDevice::GetParentDirectory(const wchar_t* entryPath, CFileDescription& folder)
{
    CPhonePath path(entryPath);
    if (!path.IsValid())
        return E_INVALIDARG;
    size_t count = path.ComponentCount();
    if (count > 1 && path.Name(count - 1).empty())
        --count;
    return WalkFolders(path, count > 1 ? count - 1 : 1, folder);
}

HRESULT CSymbianDevice::ListDriveEntries(std::vector<CFileDescription>& drives)
{
    HRESULT hr = RunPhoneOperation(m_trace, TOLV_HERE, [&] {
        DropDrives();
        ReadDrives();
        return S_OK;
    });
    if (FAILED(hr) || m_driveDescriptions.empty())
        return KIV_E_DRIVENOTFOUND;
    drives = m_driveDescriptions;
    return S_OK;
}

HRESULT CSymbianDevice::KeepMatching(const wchar_t* filter, std::vector<CFileDescription>& entries)
{
    if (!filter || !*filter)
        return S_OK;
    std::vector<CFileDescription> kept;
    for (CFileDescription& entry : entries) {
        CKivString name;
        HRESULT hr = entry.GetDisplayName(name);
        TOLV_RETURN_IF_FAILED(hr);
        if (WildcardMatch(filter, name.c_str()))
            kept.push_back(entry);
    }
    entries = std::move(kept);
    return S_OK;
}

HRESULT CSymbianDevice::GetAllEntries(const wchar_t* folderPath, const wchar_t* filter,
                                      std::vector<CFileDescription>& entries, bool foldersOnly)
{
    CFileDescription folder;
    HRESULT hr = GetDirectory(folderPath, folder);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    CSymbianDeviceDirectory* directory = folder.Directory();
    std::vector<CFileDescription> found;
    if (!foldersOnly) {
        hr = directory->RereadFiles();
        TOLV_RETURN_IF_FAILED(hr);
        found = directory->FileDescriptions();
    }
    hr = directory->RereadSubFolders();
    TOLV_RETURN_IF_FAILED(hr);
    const std::vector<CFileDescription>& folders = directory->SubFolderDescriptions();
    found.insert(found.end(), folders.begin(), folders.end());
    hr = KeepMatching(filter, found);
    TOLV_RETURN_IF_FAILED(hr);
    entries = std::move(found);
    return S_OK;
}

HRESULT CSymbianDevice::ListRecursively(CSymbianDeviceDirectory* folder, std::vector<CFileDescription>& entries)
{
    HRESULT hr = folder->RereadSubFolders();
    TOLV_RETURN_IF_FAILED(hr);
    // A copy: the children are listed through descriptions that keep them alive.
    const std::vector<CFileDescription> children = folder->SubFolderDescriptions();
    for (const CFileDescription& child : children) {
        entries.push_back(child);
        hr = ListRecursively(child.Directory(), entries);
        TOLV_RETURN_IF_FAILED(hr);
    }
    hr = folder->RereadFiles();
    TOLV_RETURN_IF_FAILED(hr);
    const std::vector<CFileDescription>& files = folder->FileDescriptions();
    entries.insert(entries.end(), files.begin(), files.end());
    return S_OK;
}

HRESULT CSymbianDevice::GetAllEntriesRecursive(const wchar_t* folderPath, const wchar_t* filter,
                                               std::vector<CFileDescription>& entries)
{
    CFileDescription folder;
    HRESULT hr = GetDirectory(folderPath, folder);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    std::vector<CFileDescription> found;
    hr = ListRecursively(folder.Directory(), found);
    TOLV_RETURN_IF_FAILED(hr);
    hr = KeepMatching(filter, found);
    TOLV_RETURN_IF_FAILED(hr);
    entries = std::move(found);
    return S_OK;
}

HRESULT CSymbianDevice::OnInvalidateAll()
{
    m_trace->Format(3, ">>>OnInvalidateAll() ...");
    DropDrives();
    m_trace->Format(3, "<<<OnInvalidateAll() - hr=0x%08X", 0u);
    return S_OK;
}
