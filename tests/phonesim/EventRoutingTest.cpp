// Which application object hears what: the events of a long operation go to the object that
// started it, connects and disconnects to every one.
#include "PhoneSimTest.h"

#include "EventRecorder.h"
#include "com/UniqueBstr.h"

using tolv::com::com_ptr;
using tolv::com::unique_bstr;

using PhoneSimEventRouting = PhoneSimTest;

TEST_F(PhoneSimEventRouting, OperationEventsReachOnlyTheStartingApplicationObject)
{
    const auto other = CreateApplication();
    ASSERT_TRUE(other);
    AdvisedRecorder starter(application.get());
    AdvisedRecorder first(other.get());
    AdvisedRecorder second(other.get());
    ASSERT_EQ(first.AdviseResult(), S_OK);
    const std::wstring source = pcSide + L"\\a.txt";
    WritePatternFile(source, 20000);
    const auto root = Root(L'C');
    ASSERT_TRUE(root);
    LONG requestId = 0;
    ASSERT_EQ(root->CopyFromPC(unique_bstr(source.c_str()).get(), &requestId), S_OK);
    ASSERT_TRUE(starter->WaitFor(16, requestId));

    // The other object's own copy reaches both of its sinks and not the first object's.
    const auto otherRoot = RootOf(DeviceAt(other.get(), 1).get(), L"E:");
    ASSERT_TRUE(otherRoot);
    LONG otherId = 0;
    ASSERT_EQ(otherRoot->CopyFromPC(unique_bstr((pcSide + L"\\a.txt").c_str()).get(), &otherId), S_OK);
    ASSERT_TRUE(first->WaitFor(16, otherId));
    ASSERT_TRUE(second->WaitFor(16, otherId));

    for (const RecordedEvent& event : first->Events()) {
        EXPECT_NE(event.Number(0), requestId) << event.id;
    }
    for (const RecordedEvent& event : starter->Events()) {
        EXPECT_NE(event.Number(0), otherId) << event.id;
    }
    EXPECT_FALSE(starter->EventsOf(13).empty());
}

TEST_F(PhoneSimEventRouting, ConnectAndDisconnectReachEveryApplicationObject)
{
    const auto other = CreateApplication();
    ASSERT_TRUE(other);
    AdvisedRecorder mine(application.get());
    AdvisedRecorder theirs(other.get());
    const unique_bstr name(L"990000862471854");
    const unique_bstr rootText(root.c_str());
    ASSERT_EQ(control->Connect(name.get(), unique_bstr(L"E90").get(), nullptr, nullptr, VARIANT_FALSE, rootText.get()),
              S_OK);
    for (CEventRecorder* sink : {&*mine, &*theirs}) {
        ASSERT_TRUE(sink->WaitFor(1));
        const auto devices = sink->ConnectedDevices();
        ASSERT_EQ(devices.size(), 1u);
        const auto device = devices[0].try_query<ISCDevice>();
        ASSERT_TRUE(device);
        unique_bstr text;
        ASSERT_EQ(device->GetModel(text.put()), S_OK);
        EXPECT_EQ(Text(text.get()), L"E90");
    }
    // The device that came with the event belongs to the object whose sink got it.
    const auto device = mine->ConnectedDevices()[0].try_query<ISCDevice>();
    AdvisedRecorder& owner = mine;
    com_ptr<ISCFolder> folder;
    const auto drive = DriveNamed(device.get(), L"C:");
    ASSERT_TRUE(drive);
    ASSERT_EQ(drive->GetRootFolder(folder.put()), S_OK);
    WriteTextFile(pcSide + L"\\b.txt", "b");
    LONG requestId = 0;
    ASSERT_EQ(folder->CopyFromPC(unique_bstr((pcSide + L"\\b.txt").c_str()).get(), &requestId), S_OK);
    ASSERT_TRUE(owner->WaitFor(16, requestId));
    EXPECT_TRUE(theirs->EventsOf(16).empty());

    ASSERT_EQ(control->Disconnect(name.get()), S_OK);
    for (CEventRecorder* sink : {&*mine, &*theirs}) {
        ASSERT_TRUE(sink->WaitFor(2));
        EXPECT_EQ(sink->EventsOf(2)[0].Text(0), L"990000862471854");
    }
    EXPECT_EQ(control->Disconnect(name.get()), S_FALSE);
}
