// The phone binding against the fake phone library: the device model at start-up, connects
// and disconnects told by the notification thread while the owning thread waits, and the
// invalidations passed on to the listing worker.
#include "FakePhone.h"
#include "RecordingWorker.h"

#include "tests/kivlink_core/FakeServerServices.h"

#include "Components/Kivlink/model/SymbianDevice.h"
#include "core/KivWorkingThread3.h"
#include "core/KivlinkNotificationThread.h"
#include "core/SymbianConnectRT.h"

#include "KivlinkLib.h"
#include "com/ComInit.h"
#include "trace/TolvTrace.h"

#include <gtest/gtest.h>

#include <process.h>

namespace {

const wchar_t* const kPhone = L"354812013456789";

class Binding : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com.succeeded());
        ASSERT_EQ(world.RegisterClass(), S_OK);
    }

    bool IsSet(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

    tolv::com::com_init com{COINIT_MULTITHREADED};
    CTolvTrace trace{"KivlinkBindingTest", 3, true};
    FakePhoneWorld world;
    FakeServerServices services;
};

// Connects or disconnects the fake phone a little later from another thread, the way the
// phone library's event reaches the notification thread.
struct LaterEvent {
    FakePhoneWorld* world;
    CKivWorker* notifications;
    bool connect;
};

unsigned __stdcall RaiseLater(void* argument)
{
    auto* event = static_cast<LaterEvent*>(argument);
    Sleep(300);
    if (event->connect)
        event->world->AddDevice(kPhone);
    else
        event->world->RemoveDevices();
    CRequestData record(event->connect ? REQ_EV_DEVICE_CONNECTED : REQ_EV_DEVICE_DISCONNECTED);
    record.m_firstStringArg = kPhone;
    event->notifications->PostRequest(record);
    return 0;
}

HANDLE RaiseOnAnotherThread(LaterEvent& event)
{
    return reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &RaiseLater, &event, 0, nullptr));
}

}  // namespace

TEST_F(Binding, AKnownPhoneAnswersAtOnceAndLeavesTheEventsClear)
{
    world.AddDevice(kPhone);
    world.AddDevice(L"111");
    CSymbianConnectRT binding(1, &trace, &services);
    ASSERT_EQ(binding.Init(), S_OK);
    CFileDescription device;
    ASSERT_EQ(binding.WaitForConnection(0, &device), S_OK);
    EXPECT_EQ(device.Kind(), KIND_DEVICE);
    EXPECT_STREQ(device.Name().c_str(), kPhone);
    EXPECT_FALSE(IsSet(binding.ConnectedEvent()));
    EXPECT_FALSE(IsSet(binding.DisconnectedEvent()));

    std::vector<CFileDescription> devices;
    ASSERT_EQ(binding.RereadDeviceList(devices), S_OK);
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_STREQ(devices[1].Name().c_str(), L"111");
    tolv::com::com_ptr<ISCApplication> application;
    ASSERT_EQ(binding.GetApplication(application), S_OK);
    EXPECT_TRUE(application);
}

TEST_F(Binding, AConnectToldByTheNotificationThreadEndsTheOwnersWaitAndADisconnectDropsTheDevice)
{
    CKivlinkNotificationThread notifications(services);
    services.SetNotificationThread(&notifications);
    services.SetBindingRegistry(&notifications);
    services.SetWorker(KivWorkerRole::Notifications, &notifications);
    ASSERT_EQ(notifications.Start(), S_OK);
    CSymbianConnectRT binding(1, &trace, &services);
    ASSERT_EQ(binding.Init(), S_OK);
    CFileDescription device;
    EXPECT_EQ(binding.WaitForConnection(0, &device), KIV_E_NOCONNECTION);

    LaterEvent connect{&world, &notifications, true};
    HANDLE raiser = RaiseOnAnotherThread(connect);
    ASSERT_EQ(binding.WaitForConnection(20000, &device), S_OK);
    WaitForSingleObject(raiser, INFINITE);
    CloseHandle(raiser);
    EXPECT_STREQ(device.Name().c_str(), kPhone);
    EXPECT_TRUE(IsSet(binding.ConnectedEvent()));
    EXPECT_FALSE(IsSet(binding.DisconnectedEvent()));

    // The clients hear of it with the device information.
    std::vector<CRequestData> posted = services.Posted();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].m_typ, REQ_ON_CONNECT);
    EXPECT_STREQ(posted[0].m_firstStringArg.c_str(), kPhone);
    EXPECT_STREQ(posted[0].m_secondStringArg.c_str(),
                 L"manufacturer=Vostrel,model=Tamlo,charge=,signal=,IMEI=354812013456789,");

    LaterEvent disconnect{&world, &notifications, false};
    raiser = RaiseOnAnotherThread(disconnect);
    ASSERT_EQ(WaitForSingleObject(binding.DisconnectedEvent(), 20000), WAIT_OBJECT_0);
    WaitForSingleObject(raiser, INFINITE);
    CloseHandle(raiser);
    EXPECT_FALSE(IsSet(binding.ConnectedEvent()));
    // The owner's description of the gone device stays usable; the model has no device now.
    EXPECT_STREQ(device.Name().c_str(), kPhone);
    CFileDescription current;
    EXPECT_EQ(binding.GetCurrentDeviceDescription(current), KIV_E_NOCONNECTION);
    posted = services.Posted();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[1].m_typ, REQ_ON_DISCONNECT);
    EXPECT_STREQ(posted[1].m_firstStringArg.c_str(), kPhone);

    binding.Release();
    notifications.Stop();
}

TEST_F(Binding, AConnectWhileTheModelIsInUseReachesItOnlyAtTheNextConnectionWait)
{
    auto phone = world.AddDevice(kPhone);
    world.AddFolder(phone, L"C:\\Images");
    CSymbianConnectRT binding(1, &trace, &services);
    ASSERT_EQ(binding.Init(), S_OK);
    CFileDescription device, folder;
    ASSERT_EQ(binding.GetCurrentDeviceDescription(device), S_OK);
    ASSERT_EQ(device.Device()->GetDirectory(L"C:\\Images\\", folder), S_OK);

    // Told on this thread here for simplicity; the model in use is not touched by it.
    binding.SignalConnected();
    EXPECT_TRUE(device.Device()->IsMember());
    LONG before = FakePhoneWorld::Calls();
    ASSERT_EQ(device.Device()->GetDirectory(L"C:\\Images\\", folder), S_OK);
    EXPECT_EQ(FakePhoneWorld::Calls(), before);

    CFileDescription next;
    ASSERT_EQ(binding.WaitForConnection(0, &next), S_OK);
    EXPECT_NE(next.Device(), device.Device());
    EXPECT_FALSE(device.Device()->IsMember());
    EXPECT_STREQ(next.Name().c_str(), kPhone);
}

TEST_F(Binding, AnInvalidationDropsTheFolderAndGoesOnToTheListingWorker)
{
    auto phone = world.AddDevice(kPhone);
    world.AddFolder(phone, L"C:\\Images");
    world.AddFile(phone, L"C:\\Images\\a.jpg");
    RecordingWorker listing(services);
    ASSERT_EQ(listing.Start(), S_OK);
    services.SetWorker(KivWorkerRole::Listing, &listing);
    CSymbianConnectRT binding(1, &trace, &services);
    ASSERT_EQ(binding.Init(), S_OK);
    CFileDescription device, file;
    ASSERT_EQ(binding.GetCurrentDeviceDescription(device), S_OK);
    ASSERT_EQ(device.Device()->GetFile(L"C:\\Images\\a.jpg", file), S_OK);

    EXPECT_EQ(binding.OnInvalidateParent(L"C:\\Images\\a.jpg", true), S_OK);
    LONG before = FakePhoneWorld::Calls();
    ASSERT_EQ(device.Device()->GetFile(L"C:\\Images\\a.jpg", file), S_OK);
    EXPECT_EQ(FakePhoneWorld::Calls() - before, 4);  // the file ring of one file, read again

    EXPECT_EQ(binding.OnInvalidateParent(L"C:\\Nothing\\a.jpg", false), KIV_E_FOLDERNOTFOUND);
    ASSERT_TRUE(listing.WaitForRecords(2));
    std::vector<CRequestData> records = listing.Records();
    EXPECT_EQ(records[0].m_typ, REQ_INVALIDATE_PARENT);
    EXPECT_STREQ(records[0].m_firstStringArg.c_str(), L"C:\\Images\\a.jpg");
    EXPECT_TRUE(records[0].m_firstBooleanArg);
    EXPECT_STREQ(records[1].m_firstStringArg.c_str(), L"C:\\Nothing\\a.jpg");
    EXPECT_FALSE(records[1].m_firstBooleanArg);

    ASSERT_EQ(binding.OnInvalidateAll(), S_OK);
    before = FakePhoneWorld::Calls();
    ASSERT_EQ(device.Device()->GetFile(L"C:\\Images\\a.jpg", file), S_OK);
    EXPECT_GT(FakePhoneWorld::Calls() - before, 4);
}

TEST_F(Binding, TheListingWorkerDropsItsOwnFolderAndTellsChangeSinksWhenAsked)
{
    auto phone = world.AddDevice(kPhone);
    world.AddFolder(phone, L"C:\\Images");
    RecordingWorker changes(services);
    ASSERT_EQ(changes.Start(), S_OK);
    services.SetWorker(KivWorkerRole::ChangeNotification, &changes);
    CKivWorkingThread3 listing(services);
    ASSERT_EQ(listing.Start(), S_OK);

    CRequestData invalidate(REQ_INVALIDATE_PARENT);
    invalidate.m_firstStringArg = L"C:\\Images\\a.jpg";
    invalidate.m_firstBooleanArg = true;
    invalidate.m_Response = &invalidate;
    ASSERT_EQ(listing.PostRequestAndWait(invalidate), S_OK);
    EXPECT_EQ(invalidate.m_RetVal, S_OK);
    ASSERT_TRUE(changes.WaitForRecords(1));

    CRequestData quiet(REQ_INVALIDATE_PARENT);
    quiet.m_firstStringArg = L"C:\\Images\\b.jpg";
    quiet.m_Response = &quiet;
    ASSERT_EQ(listing.PostRequestAndWait(quiet), S_OK);
    EXPECT_EQ(quiet.m_RetVal, S_OK);
    CRequestData all(REQ_INVALIDATE_ALL);
    all.m_Response = &all;
    ASSERT_EQ(listing.PostRequestAndWait(all), S_OK);
    EXPECT_EQ(all.m_RetVal, S_OK);

    std::vector<CRequestData> records = changes.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].m_typ, REQ_NOTIFY_CHANGE);
    EXPECT_STREQ(records[0].m_firstStringArg.c_str(), L"C:\\Images");
    listing.Stop();
}
