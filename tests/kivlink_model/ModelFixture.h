#pragma once
// A fake phone with a few folders and files, and the model of it on this thread.
#include "FakePhone.h"

#include "Components/Kivlink/model/FileDescription.h"
#include "Components/Kivlink/model/SymbianDevice.h"

#include "com/ComInit.h"
#include "trace/TolvTrace.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

inline const wchar_t* const kPhoneName = L"354812013456789";

class ModelFixture : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com.succeeded());
        trace = std::make_unique<CTolvTrace>("KivlinkModelTest", 3, true);
        phone = world.AddDevice(kPhoneName);
        world.AddFolder(phone, L"C:\\Images");
        world.AddFolder(phone, L"C:\\Images\\Holiday");
        world.AddFile(phone, L"C:\\Images\\Holiday\\sea.jpg", 10);
        world.AddFile(phone, L"C:\\Images\\A.JPG", 1234, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, 40000.5);
        world.AddFile(phone, L"C:\\Images\\a.jpg", 99);
        world.AddFile(phone, L"C:\\Images\\b.mp3", 5);
        world.AddFolder(phone, L"E:\\Music");
        ASSERT_EQ(world.CreateApplication(application), S_OK);
        tolv::com::com_ptr<ISCDeviceCollection> devices;
        ASSERT_EQ(application->GetDevices(devices.put()), S_OK);
        VARIANT first;
        VariantInit(&first);
        first.vt = VT_I4;
        first.lVal = 1;
        tolv::com::com_ptr<ISCDevice> object;
        ASSERT_EQ(devices->Item(first, object.put()), S_OK);
        deviceHolder = CFileDescription(new CSymbianDevice(1, trace.get(), object, CKivString(kPhoneName)),
                                        CKivString(kPhoneName));
        device = deviceHolder.Device();
    }

    // Phone calls made while running body.
    template <class Body>
    LONG CallsOf(Body&& body)
    {
        LONG before = FakePhoneWorld::Calls();
        body();
        return FakePhoneWorld::Calls() - before;
    }

    static std::vector<std::wstring> Names(const std::vector<CFileDescription>& entries)
    {
        std::vector<std::wstring> names;
        for (const CFileDescription& entry : entries)
            names.push_back(entry.Name().c_str());
        return names;
    }

    tolv::com::com_init com{COINIT_MULTITHREADED};
    std::unique_ptr<CTolvTrace> trace;
    FakePhoneWorld world;
    std::shared_ptr<FakeDevice> phone;
    tolv::com::com_ptr<ISCApplication> application;
    CFileDescription deviceHolder;
    CSymbianDevice* device = nullptr;
};

// What reading one ring of n children costs: the collection, its count, and each item with its name.
constexpr LONG RingReadCalls(LONG children)
{
    return 2 + 2 * children;
}
