#pragma once
// An in-process stand-in for the phone library's objects: devices, drives, folders and files
// held in memory, with a count of every call made to them, so that tests can tell which
// model operations went to the phone.
#include "com/ComPtr.h"

#include "SymbianConnect.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace tolv::com {
class DispatchArguments;
}

struct FakeEntry {
    std::wstring path;  // the full phone path ("C:\Images\a.jpg"; a root is "C:\")
    bool folder = false;
    long attributes = FILE_ATTRIBUTE_ARCHIVE;
    long size = 0;
    DATE date = 0;
    std::vector<std::shared_ptr<FakeEntry>> children;
};

struct FakeDrive {
    std::wstring name;  // "C:"
    std::wstring label;
    long capacityLow = 0x10000000;
    long capacityHigh = 0;
    long freeLow = 0x08000000;
    long freeHigh = 0;
    std::shared_ptr<FakeEntry> root;
};

struct FakeDevice {
    std::wstring name;
    std::wstring model = L"Tamlo";
    std::wstring manufacturer = L"Unknown";
    std::wstring identifier = L"COM4";
    std::vector<std::shared_ptr<FakeDrive>> drives;
};

class FakePhoneWorld {
public:
    FakePhoneWorld();
    ~FakePhoneWorld();
    FakePhoneWorld(const FakePhoneWorld&) = delete;
    FakePhoneWorld& operator=(const FakePhoneWorld&) = delete;

    // Calls made to any fake object (QueryInterface, AddRef and Release not counted).
    static LONG Calls();

    // A device with the drives C: and E:.
    std::shared_ptr<FakeDevice> AddDevice(const std::wstring& name);
    void RemoveDevices() { m_devices.clear(); }
    // Adds a folder or file below an existing folder; path is the full phone path.
    std::shared_ptr<FakeEntry> AddFolder(const std::shared_ptr<FakeDevice>& device, const std::wstring& path);
    std::shared_ptr<FakeEntry> AddFile(const std::shared_ptr<FakeDevice>& device, const std::wstring& path,
                                       long size = 0, long attributes = FILE_ATTRIBUTE_ARCHIVE, DATE date = 0);
    void Remove(const std::shared_ptr<FakeDevice>& device, const std::wstring& path);

    const std::vector<std::shared_ptr<FakeDevice>>& Devices() const { return m_devices; }

    // A fresh application object over this world (a connection point container of ISCEvents).
    HRESULT CreateApplication(tolv::com::com_ptr<ISCApplication>& application);
    // Fires an event to every sink advised on every application object created so far.
    void Fire(DISPID id, tolv::com::DispatchArguments& arguments);
    // Makes CoCreateInstance of the library's class answer this world in this process.
    HRESULT RegisterClass();
    void RevokeClass();

    static std::shared_ptr<FakeEntry> Find(const std::shared_ptr<FakeDevice>& device, const std::wstring& path);
    // A device object of this world (for DeviceConnected events).
    HRESULT CreateDeviceObject(const std::shared_ptr<FakeDevice>& device, tolv::com::com_ptr<IDispatch>& object);

private:
    std::vector<std::shared_ptr<FakeDevice>> m_devices;
    std::vector<tolv::com::com_ptr<ISCApplication>> m_applications;
    DWORD m_classCookie = 0;
};
