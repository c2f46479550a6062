// The event sink on an application object: sink numbers, which sink forwards what, how each
// event's arguments land in the record, and the answers written back through by-reference
// arguments. Sink numbers are process-wide, so this suite runs in a process of its own
// (see CMakeLists.txt) where its first sink is number 1.
#include "FakePhone.h"
#include "RecordingWorker.h"

#include "tests/kivlink_core/FakeServerServices.h"

#include "core/SCEventImp.h"

#include "com/ComInit.h"
#include "com/DispatchArguments.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class EventSink : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        com = std::make_unique<tolv::com::com_init>(COINIT_MULTITHREADED);
        world = std::make_unique<FakePhoneWorld>();
        services = std::make_unique<FakeServerServices>();
        receiver = std::make_unique<RecordingWorker>(*services);
        ASSERT_EQ(receiver->Start(), S_OK);
        ASSERT_EQ(world->CreateApplication(application), S_OK);
        ASSERT_EQ(CSCEventImp::Create(first), S_OK);
        ASSERT_EQ(CSCEventImp::Create(second), S_OK);
        ASSERT_EQ(first->Advise(application.get(), receiver.get()), S_OK);
        ASSERT_EQ(second->Advise(application.get(), receiver.get()), S_OK);
    }
    static void TearDownTestSuite()
    {
        first->Unadvise();
        second->Unadvise();
        first.reset();
        second.reset();
        application.reset();
        receiver.reset();
        services.reset();
        world.reset();
        com.reset();
    }

    // Fires to every advised sink and answers the records that arrived meanwhile.
    std::vector<CRequestData> Fire(DISPID id, tolv::com::DispatchArguments& arguments)
    {
        size_t before = receiver->Records().size();
        world->Fire(id, arguments);
        // Posted events arrive a little later; waited ones are there already.
        Sleep(200);
        std::vector<CRequestData> all = receiver->Records();
        return std::vector<CRequestData>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
    }

    static std::unique_ptr<tolv::com::com_init> com;
    static std::unique_ptr<FakePhoneWorld> world;
    static std::unique_ptr<FakeServerServices> services;
    static std::unique_ptr<RecordingWorker> receiver;
    static tolv::com::com_ptr<ISCApplication> application;
    static tolv::com::com_ptr<CSCEventImp> first;
    static tolv::com::com_ptr<CSCEventImp> second;
};

std::unique_ptr<tolv::com::com_init> EventSink::com;
std::unique_ptr<FakePhoneWorld> EventSink::world;
std::unique_ptr<FakeServerServices> EventSink::services;
std::unique_ptr<RecordingWorker> EventSink::receiver;
tolv::com::com_ptr<ISCApplication> EventSink::application;
tolv::com::com_ptr<CSCEventImp> EventSink::first;
tolv::com::com_ptr<CSCEventImp> EventSink::second;

VARIANT DateValue(DATE date)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DATE;
    value.date = date;
    return value;
}

}  // namespace

TEST_F(EventSink, SinksAreNumberedAndOnlyTheFirstForwardsConnectsAndDisconnects)
{
    EXPECT_EQ(first->SinkNumber(), 1);
    EXPECT_EQ(second->SinkNumber(), 2);
    EXPECT_NE(first->Cookie(), CSCEventImp::NOT_ADVISED);
    EXPECT_NE(second->Cookie(), CSCEventImp::NOT_ADVISED);

    auto phone = world->AddDevice(L"354812013456789");
    tolv::com::com_ptr<IDispatch> device;
    ASSERT_EQ(world->CreateDeviceObject(phone, device), S_OK);
    tolv::com::DispatchArguments connected;
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_DISPATCH;
    argument.pdispVal = device.get();
    connected.add(argument);
    std::vector<CRequestData> records = Fire(1, connected);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].m_typ, REQ_EV_DEVICE_CONNECTED);
    EXPECT_STREQ(records[0].m_firstStringArg.c_str(), L"354812013456789");

    tolv::com::DispatchArguments disconnected;
    disconnected.add_string(L"354812013456789");
    records = Fire(2, disconnected);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].m_typ, REQ_EV_DEVICE_DISCONNECTED);
    EXPECT_STREQ(records[0].m_firstStringArg.c_str(), L"354812013456789");

    // An argument that is no device object is only traced.
    tolv::com::DispatchArguments notADevice;
    VARIANT applicationArgument;
    VariantInit(&applicationArgument);
    applicationArgument.vt = VT_DISPATCH;
    tolv::com::com_ptr<IDispatch> applicationDispatch;
    ASSERT_EQ(application.query(applicationDispatch), S_OK);
    applicationArgument.pdispVal = applicationDispatch.get();
    notADevice.add(applicationArgument);
    EXPECT_TRUE(Fire(1, notADevice).empty());
}

TEST_F(EventSink, QuestionsWaitForTheReceiversAnswer)
{
    receiver->response = VARIANT_TRUE;
    VARIANT_BOOL response = VARIANT_FALSE;
    tolv::com::DispatchArguments progress;
    progress.add_long(17);
    progress.add_long(3);
    progress.add_string(L"C:\\a.jpg");
    progress.add_long(40);
    progress.add_bool_ref(&response);
    std::vector<CRequestData> records = Fire(3, progress);
    EXPECT_EQ(response, VARIANT_TRUE);
    ASSERT_EQ(records.size(), 2u);  // every sink forwards the events of long operations
    for (const CRequestData& record : records) {
        EXPECT_EQ(record.m_typ, REQ_EV_BACKUP_PROGRESS);
        EXPECT_EQ(record.m_firstIntegerArg, 17);
        EXPECT_EQ(record.m_secondIntegerArg, 3);
        EXPECT_STREQ(record.m_firstStringArg.c_str(), L"C:\\a.jpg");
        EXPECT_EQ(record.m_thirdIntegerArg, 40);
    }

    receiver->response = VARIANT_FALSE;
    receiver->action = 1;
    response = VARIANT_TRUE;
    long action = 0;
    VARIANT actionReference;
    VariantInit(&actionReference);
    actionReference.vt = VT_I4 | VT_BYREF;
    actionReference.plVal = &action;
    tolv::com::DispatchArguments existing;
    existing.add_long(18);
    existing.add_string(L"E:\\b.mp3");
    existing.add(DateValue(40000.25));
    existing.add_long(100);
    existing.add(DateValue(40001.5));
    existing.add_long(200);
    existing.add(actionReference);
    existing.add_bool_ref(&response);
    records = Fire(15, existing);
    EXPECT_EQ(action, 1);
    EXPECT_EQ(response, VARIANT_FALSE);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].m_typ, REQ_EV_COPY_EXISTING_FILE);
    EXPECT_EQ(records[0].m_firstIntegerArg, 18);
    EXPECT_STREQ(records[0].m_firstStringArg.c_str(), L"E:\\b.mp3");
    EXPECT_EQ(records[0].m_firstDateArg, 40000.25);
    EXPECT_EQ(records[0].m_secondIntegerArg, 100);
    EXPECT_EQ(records[0].m_secondDateArg, 40001.5);
    EXPECT_EQ(records[0].m_thirdIntegerArg, 200);

    response = VARIANT_TRUE;
    tolv::com::DispatchArguments error;
    error.add_long(19);
    error.add_long(5);
    error.add_long(static_cast<long>(E_ACCESSDENIED));
    error.add_bool(true);
    error.add_bool_ref(&response);
    records = Fire(14, error);
    EXPECT_EQ(response, VARIANT_FALSE);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].m_typ, REQ_EV_COPY_ERROR);
    EXPECT_EQ(records[0].m_secondIntegerArg, 5);
    EXPECT_EQ(records[0].m_thirdIntegerArg, static_cast<long>(E_ACCESSDENIED));
    EXPECT_TRUE(records[0].m_firstBooleanArg);
}

TEST_F(EventSink, CompletionsAndProgressWithoutAnswerArePostedWithTheirValues)
{
    tolv::com::DispatchArguments restored;
    restored.add_long(21);
    restored.add_string(L"C:\\backup.dat");
    restored.add_long(static_cast<long>(E_FAIL));
    std::vector<CRequestData> records = Fire(9, restored);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].m_typ, REQ_EV_RESTORE_COMPLETE);
    EXPECT_EQ(records[0].m_firstIntegerArg, 21);
    EXPECT_STREQ(records[0].m_firstStringArg.c_str(), L"C:\\backup.dat");
    EXPECT_EQ(records[0].m_secondIntegerArg, static_cast<long>(E_FAIL));

    tolv::com::DispatchArguments formatting;
    formatting.add_long(22);
    formatting.add_long(4);
    formatting.add_string(L"E:");
    formatting.add_long(75);
    records = Fire(10, formatting);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].m_typ, REQ_EV_FORMAT_PROGRESS);
    EXPECT_EQ(records[0].m_secondIntegerArg, 4);
    EXPECT_STREQ(records[0].m_firstStringArg.c_str(), L"E:");
    EXPECT_EQ(records[0].m_thirdIntegerArg, 75);
    EXPECT_EQ(records[0].m_OutArg[OUT_BOOL], nullptr);

    tolv::com::DispatchArguments copied;
    copied.add_long(23);
    copied.add_long(0);
    records = Fire(16, copied);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].m_typ, REQ_EV_COPY_COMPLETE);
    EXPECT_EQ(records[0].m_firstIntegerArg, 23);
}

TEST_F(EventSink, MalformedCallsAreRefusedAndAnUnadvisedSinkHearsNothing)
{
    DISPPARAMS none{};
    EXPECT_EQ(first->Invoke(17, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(first->Invoke(16, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(first->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);
    tolv::com::DispatchArguments noReference;
    for (int index = 0; index < 5; ++index)
        noReference.add_long(1);
    DISPPARAMS params = noReference.params();
    EXPECT_EQ(first->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), DISP_E_TYPEMISMATCH);

    first->Unadvise();
    EXPECT_EQ(first->Cookie(), CSCEventImp::NOT_ADVISED);
    tolv::com::DispatchArguments copied;
    copied.add_long(24);
    copied.add_long(0);
    EXPECT_EQ(Fire(16, copied).size(), 1u);

    // Without a receiver the out arguments stay as the library passed them.
    tolv::com::com_ptr<CSCEventImp> silent;
    ASSERT_EQ(CSCEventImp::Create(silent), S_OK);
    ASSERT_EQ(silent->Advise(nullptr, nullptr), S_OK);
    VARIANT_BOOL response = VARIANT_TRUE;
    tolv::com::DispatchArguments progress;
    progress.add_long(1);
    progress.add_string(L"a");
    progress.add_string(L"b");
    progress.add_long(10);
    progress.add_bool_ref(&response);
    params = progress.params();
    EXPECT_EQ(silent->Invoke(13, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(response, VARIANT_TRUE);
}
