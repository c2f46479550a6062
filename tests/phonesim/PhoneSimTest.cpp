#include "PhoneSimTest.h"

#include "com/HResult.h"
#include "com/UniqueHandle.h"
#include "com/UniqueVariant.h"

using tolv::com::com_ptr;
using tolv::com::unique_bstr;
using tolv::com::unique_handle;

ProgramRun RunPhoneSim(const std::wstring& arguments, DWORD timeoutMs)
{
    CChildProcess child(ProgramCommand(BinaryPath(L"phonesim.exe"), arguments), CChildProcess::kCaptureOutput);
    ProgramRun run;
    run.exitCode = child.Finish(timeoutMs);
    run.output = child.Output();
    return run;
}

std::wstring FreshFolder(const std::wstring& name)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"phonesim-tests";
    CreateDirectoryW(base.c_str(), nullptr);
    const std::wstring folder = base + L"\\" + name;
    RemoveTestTree(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void WriteTextFile(const std::wstring& path, const std::string& content)
{
    const unique_handle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
}

std::string ReadTextFile(const std::wstring& path)
{
    const unique_handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (file && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        content.append(buffer, read);
    }
    return content;
}

void WritePatternFile(const std::wstring& path, size_t size)
{
    std::string content(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        content[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
    }
    WriteTextFile(path, content);
}

unsigned long long FileSizeOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
        return ~0ULL;
    }
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

com_ptr<ISCApplication> CreateApplication()
{
    com_ptr<IUnknown> unknown;
    HRESULT hr = CoCreateInstance(CLSID_SCApplication, nullptr, CLSCTX_ALL, IID_IUnknown, unknown.put_void());
    EXPECT_EQ(hr, S_OK) << std::hex << hr;
    com_ptr<ISCApplication> application;
    if (unknown) {
        hr = OleRun(unknown.get());
        EXPECT_EQ(hr, S_OK) << std::hex << hr;
        hr = unknown.query(application);
        EXPECT_EQ(hr, S_OK) << std::hex << hr;
    }
    return application;
}

com_ptr<IPhoneSimControl> CreateControl()
{
    com_ptr<IPhoneSimControl> control;
    const HRESULT hr =
        CoCreateInstance(CLSID_PhoneSimControl, nullptr, CLSCTX_LOCAL_SERVER, IID_IPhoneSimControl, control.put_void());
    EXPECT_EQ(hr, S_OK) << std::hex << hr;
    return control;
}

std::wstring Text(BSTR text)
{
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

com_ptr<ISCDevice> DeviceAt(ISCApplication* application, LONG index)
{
    com_ptr<ISCDeviceCollection> devices;
    com_ptr<ISCDevice> device;
    if (SUCCEEDED(application->GetDevices(devices.put()))) {
        devices->Item(tolv::com::LongVariant(index), device.put());
    }
    return device;
}

com_ptr<ISCDevice> DeviceNamed(ISCApplication* application, const std::wstring& name)
{
    com_ptr<ISCDeviceCollection> devices;
    LONG count = 0;
    if (FAILED(application->GetDevices(devices.put())) || FAILED(devices->GetCount(&count))) {
        return nullptr;
    }
    for (LONG index = 1; index <= count; ++index) {
        com_ptr<ISCDevice> device;
        unique_bstr deviceName;
        if (SUCCEEDED(devices->Item(tolv::com::LongVariant(index), device.put())) &&
            SUCCEEDED(device->GetName(deviceName.put())) && Text(deviceName.get()) == name) {
            return device;
        }
    }
    return nullptr;
}

com_ptr<ISCDrive> DriveNamed(ISCDevice* device, const wchar_t* name)
{
    com_ptr<ISCDriveCollection> drives;
    LONG count = 0;
    if (FAILED(device->GetDrives(drives.put())) || FAILED(drives->GetCount(&count))) {
        return nullptr;
    }
    for (LONG index = 1; index <= count; ++index) {
        com_ptr<ISCDrive> drive;
        unique_bstr driveName;
        if (SUCCEEDED(drives->Item(tolv::com::LongVariant(index), drive.put())) &&
            SUCCEEDED(drive->GetName(driveName.put())) && Text(driveName.get()) == name) {
            return drive;
        }
    }
    return nullptr;
}

com_ptr<ISCFolder> RootOf(ISCDevice* device, const wchar_t* drive)
{
    com_ptr<ISCFolder> folder;
    const com_ptr<ISCDrive> found = DriveNamed(device, drive);
    if (found) {
        found->GetRootFolder(folder.put());
    }
    return folder;
}

namespace {

template <class Collection, class Wanted>
com_ptr<Wanted> FindItem(Collection* collection, const std::wstring& ownName)
{
    LONG count = 0;
    collection->GetCount(&count);
    for (LONG index = 1; index <= count; ++index) {
        com_ptr<ISCItem> item;
        unique_bstr name;
        if (FAILED(collection->Item(tolv::com::LongVariant(index), item.put())) || FAILED(item->GetName(name.put()))) {
            continue;
        }
        const std::wstring full = Text(name.get());
        if (full.substr(full.find_last_of(L'\\') + 1) == ownName) {
            return item.try_query<Wanted>();
        }
    }
    return nullptr;
}

template <class Collection>
std::vector<std::wstring> ItemNames(Collection* collection)
{
    std::vector<std::wstring> names;
    LONG count = 0;
    collection->GetCount(&count);
    for (LONG index = 1; index <= count; ++index) {
        com_ptr<ISCItem> item;
        unique_bstr name;
        if (SUCCEEDED(collection->Item(tolv::com::LongVariant(index), item.put())) &&
            SUCCEEDED(item->GetName(name.put()))) {
            names.push_back(Text(name.get()));
        }
    }
    return names;
}

}  // namespace

com_ptr<ISCFolder> ChildFolder(ISCFolder* folder, const std::wstring& name)
{
    com_ptr<ISCFolderCollection> folders;
    if (FAILED(folder->GetFolders(folders.put()))) {
        return nullptr;
    }
    return FindItem<ISCFolderCollection, ISCFolder>(folders.get(), name);
}

com_ptr<ISCFile> ChildFile(ISCFolder* folder, const std::wstring& name)
{
    com_ptr<ISCFileCollection> files;
    if (FAILED(folder->GetFiles(files.put()))) {
        return nullptr;
    }
    return FindItem<ISCFileCollection, ISCFile>(files.get(), name);
}

std::vector<std::wstring> FolderNames(ISCFolder* folder)
{
    com_ptr<ISCFolderCollection> folders;
    if (FAILED(folder->GetFolders(folders.put()))) {
        return {};
    }
    return ItemNames(folders.get());
}

std::vector<std::wstring> FileNames(ISCFolder* folder)
{
    com_ptr<ISCFileCollection> files;
    if (FAILED(folder->GetFiles(files.put()))) {
        return {};
    }
    return ItemNames(files.get());
}

void PhoneSimTest::SetUp()
{
    ASSERT_TRUE(com.succeeded());
    control = CreateControl();
    ASSERT_TRUE(control);
    ASSERT_TRUE(SUCCEEDED(control->Disconnect(nullptr)));
    ASSERT_EQ(control->ClearFaults(), S_OK);
    ASSERT_EQ(control->SetTransferRate(0), S_OK);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test->test_suite_name()) + "." + test->name();
    root = FreshFolder(std::wstring(name.begin(), name.end()));
    pcSide = root + L"\\pc";
    CreateDirectoryW(pcSide.c_str(), nullptr);
    const unique_bstr rootText(root.c_str());
    ASSERT_EQ(control->Connect(nullptr, nullptr, nullptr, nullptr, VARIANT_TRUE, rootText.get()), S_OK);
    application = CreateApplication();
    ASSERT_TRUE(application);
}

void PhoneSimTest::TearDown()
{
    application = nullptr;
    if (control) {
        control->Disconnect(nullptr);
        control->ClearFaults();
        control->SetTransferRate(0);
        control = nullptr;
    }
    if (!root.empty()) {
        RemoveTestTree(root);
    }
}

std::wstring PhoneSimTest::DriveFolder(wchar_t drive) const
{
    return root + L"\\" + kDefaultPhone + L"\\" + std::wstring(1, drive);
}

com_ptr<ISCFolder> PhoneSimTest::Root(wchar_t drive)
{
    const com_ptr<ISCDevice> device = DeviceNamed(application.get(), kDefaultPhone);
    if (!device) {
        return nullptr;
    }
    const wchar_t name[] = {drive, L':', 0};
    return RootOf(device.get(), name);
}
