#include "FakePhone.h"

#include "com/ClassFactory.h"
#include "com/ComObject.h"
#include "com/ConnectionPoint.h"
#include "com/DispatchArguments.h"

#include <algorithm>

namespace {

volatile LONG g_calls = 0;
FakePhoneWorld* g_world = nullptr;

void Count()
{
    InterlockedIncrement(&g_calls);
}

HRESULT Text(const std::wstring& value, BSTR* result)
{
    Count();
    if (!result)
        return E_POINTER;
    *result = SysAllocString(value.c_str());
    return *result ? S_OK : E_OUTOFMEMORY;
}

template <class T>
HRESULT Value(T value, T* result)
{
    Count();
    if (!result)
        return E_POINTER;
    *result = value;
    return S_OK;
}

// A 1-based index as the library takes it.
bool IndexOf(const VARIANT& index, size_t count, size_t& position)
{
    if (index.vt != VT_I4 || index.lVal < 1 || static_cast<size_t>(index.lVal) > count)
        return false;
    position = static_cast<size_t>(index.lVal) - 1;
    return true;
}

std::wstring LastName(const std::wstring& path)
{
    std::wstring text = path;
    if (!text.empty() && text.back() == L'\\')
        text.pop_back();
    size_t slash = text.rfind(L'\\');
    return slash == std::wstring::npos ? text : text.substr(slash + 1);
}

// The IDispatch part of the fakes: the model never calls it.
template <class... Interfaces>
class FakeDispatch : public Interfaces... {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
};

template <class T, class I, class... Args>
HRESULT Make(I** result, Args&&... args)
{
    if (!result)
        return E_POINTER;
    tolv::com::com_ptr<I> made;
    HRESULT hr = tolv::com::MakeComObject<T>(made, std::forward<Args>(args)...);
    *result = made.detach();
    return hr;
}

class CFakeFile : public FakeDispatch<ISCFile, ISCItem> {
public:
    using interface_map = tolv::com::interface_map<ISCFile, ISCItem, tolv::com::entry_via<IDispatch, ISCFile>>;
    explicit CFakeFile(std::shared_ptr<FakeEntry> entry) : m_entry(std::move(entry)) {}

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override { return Text(m_entry->path, name); }
    HRESULT STDMETHODCALLTYPE GetKind(long* kind) override { return Value(2L, kind); }
    HRESULT STDMETHODCALLTYPE GetShortName(BSTR* name) override { return Text(LastName(m_entry->path), name); }
    HRESULT STDMETHODCALLTYPE GetAttributes(long* attributes) override
    {
        return Value(m_entry->attributes, attributes);
    }
    HRESULT STDMETHODCALLTYPE SetAttributes(long attributes) override
    {
        Count();
        m_entry->attributes = attributes;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSize(long* size) override { return Value(m_entry->size, size); }
    HRESULT STDMETHODCALLTYPE GetDate(DATE* date) override { return Value(m_entry->date, date); }
    HRESULT STDMETHODCALLTYPE SetDate(DATE date) override
    {
        Count();
        m_entry->date = date;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CopyToPC(BSTR, long* requestId) override { return Value(7L, requestId); }
    HRESULT STDMETHODCALLTYPE GetFolder(ISCFolder**) override
    {
        Count();
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Delete() override
    {
        Count();
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Rename(BSTR) override
    {
        Count();
        return E_NOTIMPL;
    }

private:
    std::shared_ptr<FakeEntry> m_entry;
};

class CFakeFolder;

// The child folders or the child files of a folder, taken when the collection is asked for.
template <class Collection, bool Folders>
class CFakeChildren : public FakeDispatch<Collection> {
public:
    using interface_map = tolv::com::interface_map<Collection, tolv::com::entry_via<IDispatch, Collection>>;
    explicit CFakeChildren(const FakeEntry& folder)
    {
        for (const auto& child : folder.children)
            if (child->folder == Folders)
                m_children.push_back(child);
    }
    HRESULT STDMETHODCALLTYPE Item(VARIANT index, ISCItem** item) override;
    HRESULT STDMETHODCALLTYPE GetCount(long* count) override
    {
        return Value(static_cast<long>(m_children.size()), count);
    }

private:
    std::vector<std::shared_ptr<FakeEntry>> m_children;
};

class CFakeFolder : public FakeDispatch<ISCFolder, ISCItem> {
public:
    using interface_map = tolv::com::interface_map<ISCFolder, ISCItem, tolv::com::entry_via<IDispatch, ISCFolder>>;
    explicit CFakeFolder(std::shared_ptr<FakeEntry> entry) : m_entry(std::move(entry)) {}

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override { return Text(m_entry->path, name); }
    HRESULT STDMETHODCALLTYPE GetKind(long* kind) override { return Value(1L, kind); }
    HRESULT STDMETHODCALLTYPE GetShortName(BSTR* name) override { return Text(LastName(m_entry->path), name); }
    HRESULT STDMETHODCALLTYPE CreateFolder(BSTR name, ISCFolder** folder) override
    {
        Count();
        auto child = std::make_shared<FakeEntry>();
        child->folder = true;
        child->path = m_entry->path + (m_entry->path.back() == L'\\' ? L"" : L"\\") + name;
        m_entry->children.push_back(child);
        return Make<CFakeFolder>(folder, child);
    }
    HRESULT STDMETHODCALLTYPE CopyFromPC(BSTR, long* requestId) override { return Value(9L, requestId); }
    HRESULT STDMETHODCALLTYPE RenameFile(BSTR, BSTR) override
    {
        Count();
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetFolders(ISCFolderCollection** folders) override
    {
        Count();
        return Make<CFakeChildren<ISCFolderCollection, true>>(folders, *m_entry);
    }
    HRESULT STDMETHODCALLTYPE GetFiles(ISCFileCollection** files) override
    {
        Count();
        return Make<CFakeChildren<ISCFileCollection, false>>(files, *m_entry);
    }
    HRESULT STDMETHODCALLTYPE Remove() override
    {
        Count();
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Move(BSTR) override
    {
        Count();
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDate(DATE* date) override { return Value(0.0, date); }
    HRESULT STDMETHODCALLTYPE GetAttributes(long* attributes) override
    {
        return Value(static_cast<long>(FILE_ATTRIBUTE_DIRECTORY), attributes);
    }

private:
    std::shared_ptr<FakeEntry> m_entry;
};

template <class Collection, bool Folders>
HRESULT CFakeChildren<Collection, Folders>::Item(VARIANT index, ISCItem** item)
{
    Count();
    size_t position = 0;
    if (!IndexOf(index, m_children.size(), position))
        return E_INVALIDARG;
    if constexpr (Folders)
        return Make<CFakeFolder>(item, m_children[position]);
    else
        return Make<CFakeFile>(item, m_children[position]);
}

class CFakeDrive : public FakeDispatch<ISCDrive, ISCDriveSpace> {
public:
    using interface_map = tolv::com::interface_map<ISCDrive, ISCDriveSpace, tolv::com::entry_via<IDispatch, ISCDrive>>;
    explicit CFakeDrive(std::shared_ptr<FakeDrive> drive) : m_drive(std::move(drive)) {}

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override { return Text(m_drive->name, name); }
    HRESULT STDMETHODCALLTYPE GetMediaKind(long* kind) override
    {
        return Value(m_drive->name == L"C:" ? 1L : 2L, kind);
    }
    HRESULT STDMETHODCALLTYPE GetLabel(BSTR* label) override { return Text(m_drive->label, label); }
    HRESULT STDMETHODCALLTYPE SetLabel(BSTR label) override
    {
        Count();
        m_drive->label = label ? label : L"";
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Format(long* requestId) override { return Value(5L, requestId); }
    HRESULT STDMETHODCALLTYPE GetRootFolder(ISCFolder** folder) override
    {
        Count();
        return Make<CFakeFolder>(folder, m_drive->root);
    }
    HRESULT STDMETHODCALLTYPE GetSpace(ISCDriveSpace** space) override
    {
        Count();
        return Make<CFakeDrive>(space, m_drive);
    }
    HRESULT STDMETHODCALLTYPE GetDriveName(BSTR* name) override { return Text(m_drive->name, name); }
    HRESULT STDMETHODCALLTYPE IsRemovable(VARIANT_BOOL* removable) override
    {
        return Value<VARIANT_BOOL>(m_drive->name == L"C:" ? VARIANT_FALSE : VARIANT_TRUE, removable);
    }
    HRESULT STDMETHODCALLTYPE GetCapacityKilobytes(long* value) override { return Value(0L, value); }
    HRESULT STDMETHODCALLTYPE GetFreeKilobytes(long* value) override { return Value(0L, value); }
    HRESULT STDMETHODCALLTYPE GetUsedKilobytes(long* value) override { return Value(0L, value); }
    HRESULT STDMETHODCALLTYPE GetUsedLow(long* value) override { return Value(0L, value); }
    HRESULT STDMETHODCALLTYPE GetUsedHigh(long* value) override { return Value(0L, value); }
    HRESULT STDMETHODCALLTYPE GetCapacityLow(long* value) override { return Value(m_drive->capacityLow, value); }
    HRESULT STDMETHODCALLTYPE GetCapacityHigh(long* value) override { return Value(m_drive->capacityHigh, value); }
    HRESULT STDMETHODCALLTYPE GetFreeLow(long* value) override { return Value(m_drive->freeLow, value); }
    HRESULT STDMETHODCALLTYPE GetFreeHigh(long* value) override { return Value(m_drive->freeHigh, value); }

private:
    std::shared_ptr<FakeDrive> m_drive;
};

class CFakeDriveCollection : public FakeDispatch<ISCDriveCollection> {
public:
    using interface_map =
        tolv::com::interface_map<ISCDriveCollection, tolv::com::entry_via<IDispatch, ISCDriveCollection>>;
    explicit CFakeDriveCollection(std::vector<std::shared_ptr<FakeDrive>> drives) : m_drives(std::move(drives)) {}
    HRESULT STDMETHODCALLTYPE Item(VARIANT index, ISCDrive** drive) override
    {
        Count();
        size_t position = 0;
        if (!IndexOf(index, m_drives.size(), position))
            return E_INVALIDARG;
        return Make<CFakeDrive>(drive, m_drives[position]);
    }
    HRESULT STDMETHODCALLTYPE GetCount(long* count) override
    {
        return Value(static_cast<long>(m_drives.size()), count);
    }

private:
    std::vector<std::shared_ptr<FakeDrive>> m_drives;
};

class CFakeDevice : public FakeDispatch<ISCDevice> {
public:
    using interface_map = tolv::com::interface_map<ISCDevice, tolv::com::entry_via<IDispatch, ISCDevice>>;
    explicit CFakeDevice(std::shared_ptr<FakeDevice> device) : m_device(std::move(device)) {}

    HRESULT STDMETHODCALLTYPE GetName(BSTR* name) override { return Text(m_device->name, name); }
    HRESULT STDMETHODCALLTYPE GetManufacturer(BSTR* text) override { return Text(m_device->manufacturer, text); }
    HRESULT STDMETHODCALLTYPE GetIdentifier(BSTR* text) override { return Text(m_device->identifier, text); }
    HRESULT STDMETHODCALLTYPE GetSoftwareVersion(BSTR* text) override { return Text(L"1.0", text); }
    HRESULT STDMETHODCALLTYPE IsConnected(VARIANT_BOOL* connected) override
    {
        return Value<VARIANT_BOOL>(VARIANT_TRUE, connected);
    }
    HRESULT STDMETHODCALLTYPE GetDrives(ISCDriveCollection** drives) override
    {
        Count();
        return Make<CFakeDriveCollection>(drives, m_device->drives);
    }
    HRESULT STDMETHODCALLTYPE GetDrive(BSTR, ISCDrive**) override
    {
        Count();
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE BackupDrive(BSTR, BSTR, long, long* requestId) override { return Value(3L, requestId); }
    HRESULT STDMETHODCALLTYPE RestoreDrive(BSTR, BSTR, long, long* requestId) override { return Value(4L, requestId); }
    HRESULT STDMETHODCALLTYPE CancelRequest(long) override
    {
        Count();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetConnectionType(BSTR* text) override { return Text(L"USB", text); }
    HRESULT STDMETHODCALLTYPE GetRequestState(long, long* state) override { return Value(0L, state); }
    HRESULT STDMETHODCALLTYPE GetModel(BSTR* text) override { return Text(m_device->model, text); }

private:
    std::shared_ptr<FakeDevice> m_device;
};

class CFakeDeviceCollection : public FakeDispatch<ISCDeviceCollection> {
public:
    using interface_map =
        tolv::com::interface_map<ISCDeviceCollection, tolv::com::entry_via<IDispatch, ISCDeviceCollection>>;
    explicit CFakeDeviceCollection(std::vector<std::shared_ptr<FakeDevice>> devices) : m_devices(std::move(devices)) {}
    HRESULT STDMETHODCALLTYPE Item(VARIANT index, ISCDevice** device) override
    {
        Count();
        size_t position = 0;
        if (!IndexOf(index, m_devices.size(), position))
            return E_INVALIDARG;
        return Make<CFakeDevice>(device, m_devices[position]);
    }
    HRESULT STDMETHODCALLTYPE GetCount(long* count) override
    {
        return Value(static_cast<long>(m_devices.size()), count);
    }

private:
    std::vector<std::shared_ptr<FakeDevice>> m_devices;
};

class CFakeApplication : public FakeDispatch<ISCApplication>, public tolv::com::ConnectionPointContainer {
public:
    using interface_map = tolv::com::interface_map<ISCApplication, IConnectionPointContainer,
                                                   tolv::com::entry_via<IDispatch, ISCApplication>>;
    explicit CFakeApplication(FakePhoneWorld* world) : m_world(world), m_events(AddConnectionPoint(DIID_ISCEvents)) {}

    HRESULT STDMETHODCALLTYPE GetDevices(ISCDeviceCollection** devices) override
    {
        Count();
        return Make<CFakeDeviceCollection>(devices, m_world->Devices());
    }
    HRESULT STDMETHODCALLTYPE GetLibraryVersion(BSTR* version) override { return Text(L"fake", version); }
    HRESULT STDMETHODCALLTYPE CancelRequest(long) override
    {
        Count();
        return S_OK;
    }
    void Fire(DISPID id, tolv::com::DispatchArguments& arguments) { m_events.FireDispatch(id, arguments); }

private:
    FakePhoneWorld* m_world;
    tolv::com::ConnectionPoint& m_events;
};

HRESULT CreateRegisteredApplication(IUnknown* outer, REFIID iid, void** result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    if (!g_world)
        return E_UNEXPECTED;
    tolv::com::com_ptr<ISCApplication> application;
    HRESULT hr = g_world->CreateApplication(application);
    if (FAILED(hr))
        return hr;
    return application->QueryInterface(iid, result);
}

std::shared_ptr<FakeEntry> NewFolder(const std::wstring& path)
{
    auto entry = std::make_shared<FakeEntry>();
    entry->path = path;
    entry->folder = true;
    return entry;
}

}  // namespace

FakePhoneWorld::FakePhoneWorld()
{
    g_world = this;
}

FakePhoneWorld::~FakePhoneWorld()
{
    RevokeClass();
    if (g_world == this)
        g_world = nullptr;
}

LONG FakePhoneWorld::Calls()
{
    return InterlockedCompareExchange(&g_calls, 0, 0);
}

std::shared_ptr<FakeDevice> FakePhoneWorld::AddDevice(const std::wstring& name)
{
    auto device = std::make_shared<FakeDevice>();
    device->name = name;
    for (const wchar_t* drive : {L"C:", L"E:"}) {
        auto added = std::make_shared<FakeDrive>();
        added->name = drive;
        added->label = drive[0] == L'C' ? L"Phone memory" : L"Memory card";
        added->root = NewFolder(std::wstring(drive) + L"\\");
        device->drives.push_back(added);
    }
    m_devices.push_back(device);
    return device;
}

std::shared_ptr<FakeEntry> FakePhoneWorld::Find(const std::shared_ptr<FakeDevice>& device, const std::wstring& path)
{
    std::wstring rest = path;
    if (!rest.empty() && rest.back() == L'\\' && rest.size() > 3)
        rest.pop_back();
    for (const auto& drive : device->drives) {
        if (_wcsnicmp(rest.c_str(), drive->name.c_str(), 2) != 0)
            continue;
        std::shared_ptr<FakeEntry> current = drive->root;
        while (current && _wcsicmp(current->path.c_str(), rest.c_str()) != 0) {
            std::shared_ptr<FakeEntry> next;
            for (const auto& child : current->children) {
                const std::wstring& childPath = child->path;
                if (_wcsnicmp(rest.c_str(), childPath.c_str(), childPath.size()) == 0 &&
                    (rest.size() == childPath.size() || rest[childPath.size()] == L'\\'))
                    next = child;
            }
            current = next;
        }
        return current;
    }
    return nullptr;
}

std::shared_ptr<FakeEntry> FakePhoneWorld::AddFolder(const std::shared_ptr<FakeDevice>& device,
                                                     const std::wstring& path)
{
    size_t slash = path.rfind(L'\\');
    std::shared_ptr<FakeEntry> parent = Find(device, path.substr(0, slash + 1));
    if (!parent)
        return nullptr;
    auto entry = NewFolder(path);
    parent->children.push_back(entry);
    return entry;
}

std::shared_ptr<FakeEntry> FakePhoneWorld::AddFile(const std::shared_ptr<FakeDevice>& device, const std::wstring& path,
                                                   long size, long attributes, DATE date)
{
    size_t slash = path.rfind(L'\\');
    std::shared_ptr<FakeEntry> parent = Find(device, path.substr(0, slash + 1));
    if (!parent)
        return nullptr;
    auto entry = std::make_shared<FakeEntry>();
    entry->path = path;
    entry->size = size;
    entry->attributes = attributes;
    entry->date = date;
    parent->children.push_back(entry);
    return entry;
}

void FakePhoneWorld::Remove(const std::shared_ptr<FakeDevice>& device, const std::wstring& path)
{
    size_t slash = path.rfind(L'\\');
    std::shared_ptr<FakeEntry> parent = Find(device, path.substr(0, slash + 1));
    if (!parent)
        return;
    auto& children = parent->children;
    children.erase(
        std::remove_if(children.begin(), children.end(), [&](const auto& child) { return child->path == path; }),
        children.end());
}

HRESULT FakePhoneWorld::CreateApplication(tolv::com::com_ptr<ISCApplication>& application)
{
    HRESULT hr = tolv::com::MakeComObject<CFakeApplication>(application, this);
    if (SUCCEEDED(hr))
        m_applications.push_back(application);
    return hr;
}

void FakePhoneWorld::Fire(DISPID id, tolv::com::DispatchArguments& arguments)
{
    for (const auto& application : m_applications)
        static_cast<CFakeApplication*>(application.get())->Fire(id, arguments);
}

HRESULT FakePhoneWorld::CreateDeviceObject(const std::shared_ptr<FakeDevice>& device,
                                           tolv::com::com_ptr<IDispatch>& object)
{
    tolv::com::com_ptr<ISCDevice> created;
    HRESULT hr = tolv::com::MakeComObject<CFakeDevice>(created, device);
    if (SUCCEEDED(hr))
        hr = created.query(object);
    return hr;
}

HRESULT FakePhoneWorld::RegisterClass()
{
    tolv::com::com_ptr<IClassFactory> factory;
    HRESULT hr = tolv::com::ClassFactoryBase::Create(&CreateRegisteredApplication, factory);
    if (SUCCEEDED(hr))
        hr = CoRegisterClassObject(CLSID_SCApplication, factory.get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                   &m_classCookie);
    return hr;
}

void FakePhoneWorld::RevokeClass()
{
    if (m_classCookie) {
        CoRevokeClassObject(m_classCookie);
        m_classCookie = 0;
    }
}
