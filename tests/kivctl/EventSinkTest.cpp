#include "tools/kivctl/EventSink.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "com/DispatchArguments.h"

namespace {

class RecordingObserver final : public IKivctlEventObserver {
public:
    void OnDeviceConnected(const std::wstring& name, const std::wstring& information) override
    {
        calls.push_back(L"connected " + name + L" " + information);
    }
    void OnDeviceDisconnected(const std::wstring& name) override { calls.push_back(L"disconnected " + name); }
    bool OnProgress(long action, const std::wstring& path, long percentage) override
    {
        calls.push_back(L"progress " + std::to_wstring(action) + L" " + path + L" " + std::to_wstring(percentage));
        return cancel;
    }
    void OnCompletion(long action, const std::wstring& path, HRESULT result) override
    {
        calls.push_back(L"completion " + std::to_wstring(action) + L" " + path + L" " +
                        std::to_wstring(static_cast<unsigned long>(result)));
    }

    std::vector<std::wstring> calls;
    bool cancel = false;
};

class KivctlEventSink : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(tolv::com::ComObject<CKivctlEventSink>::Create(sink), S_OK);
        sink->SetObserver(&observer);
    }
    void TearDown() override { sink->SetObserver(nullptr); }

    // Calls the sink as the server's connection point does.
    HRESULT Fire(DISPID id, tolv::com::DispatchArguments& arguments)
    {
        DISPPARAMS params = arguments.params();
        VARIANT result;
        VariantInit(&result);
        return sink->Invoke(id, IID_NULL, 0x400, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
    }

    RecordingObserver observer;
    tolv::com::com_ptr<tolv::com::ComObject<CKivctlEventSink>> sink;
};

}  // namespace

TEST_F(KivctlEventSink, DecodesTheFourEventsInDeclarationOrder)
{
    tolv::com::DispatchArguments connected;
    connected.add_string(L"354812013456789");
    connected.add_string(L"manufacturer=Vostrel,");
    EXPECT_EQ(Fire(1, connected), S_OK);

    tolv::com::DispatchArguments disconnected;
    disconnected.add_string(L"354812013456789");
    EXPECT_EQ(Fire(2, disconnected), S_OK);

    VARIANT_BOOL cancel = VARIANT_FALSE;
    tolv::com::DispatchArguments progress;
    progress.add_long(3);
    progress.add_string(L"Z:\\a.mp3");
    progress.add_long(40);
    progress.add_bool_ref(&cancel);
    EXPECT_EQ(Fire(3, progress), S_OK);
    EXPECT_EQ(cancel, VARIANT_FALSE);

    tolv::com::DispatchArguments completion;
    completion.add_long(0);
    completion.add_string(L"E:");
    completion.add_long(static_cast<LONG>(E_ABORT));
    EXPECT_EQ(Fire(4, completion), S_OK);

    EXPECT_EQ(observer.calls, (std::vector<std::wstring>{L"connected 354812013456789 manufacturer=Vostrel,",
                                                         L"disconnected 354812013456789", L"progress 3 Z:\\a.mp3 40",
                                                         L"completion 0 E: 2147500036"}));
}

TEST_F(KivctlEventSink, AnswersCancelThroughTheReferenceAndNeverClearsIt)
{
    VARIANT_BOOL cancel = VARIANT_FALSE;
    tolv::com::DispatchArguments progress;
    progress.add_long(4);
    progress.add_string(L"C:\\b.jpg");
    progress.add_long(10);
    progress.add_bool_ref(&cancel);
    observer.cancel = true;
    EXPECT_EQ(Fire(3, progress), S_OK);
    EXPECT_EQ(cancel, VARIANT_TRUE);

    // Another sink asked before: this one's "go on" leaves the answer standing.
    observer.cancel = false;
    EXPECT_EQ(Fire(3, progress), S_OK);
    EXPECT_EQ(cancel, VARIANT_TRUE);
}

TEST_F(KivctlEventSink, AcceptsUnknownIdentifiersAndRefusesMalformedCalls)
{
    tolv::com::DispatchArguments change;
    change.add_long(3);
    change.add_string(L"C:\\Data");
    EXPECT_EQ(Fire(5, change), S_OK);
    EXPECT_EQ(Fire(6, change), S_OK);
    EXPECT_EQ(Fire(0, change), S_OK);
    EXPECT_EQ(Fire(-4, change), S_OK);
    EXPECT_TRUE(observer.calls.empty());

    tolv::com::DispatchArguments tooFew;
    tooFew.add_long(3);
    EXPECT_EQ(Fire(3, tooFew), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Fire(1, tooFew), DISP_E_BADPARAMCOUNT);

    // The cancel answer must be a reference.
    tolv::com::DispatchArguments byValue;
    byValue.add_long(3);
    byValue.add_string(L"x");
    byValue.add_long(1);
    byValue.add_bool(false);
    EXPECT_EQ(Fire(3, byValue), DISP_E_TYPEMISMATCH);
    EXPECT_TRUE(observer.calls.empty());
}

TEST_F(KivctlEventSink, AnswersTheEventInterfaceAndDropsEventsWithoutObserver)
{
    tolv::com::com_ptr<IDispatch> events;
    EXPECT_EQ(sink.get()->QueryInterface(DIID_IKivAllServerEvents, events.put_void()), S_OK);
    tolv::com::com_ptr<IDispatch> plain;
    EXPECT_EQ(sink.get()->QueryInterface(IID_IDispatch, plain.put_void()), S_OK);
    EXPECT_TRUE(tolv::com::IsSameObject(events.get(), plain.get()));

    sink->SetObserver(nullptr);
    tolv::com::DispatchArguments disconnected;
    disconnected.add_string(L"1");
    EXPECT_EQ(Fire(2, disconnected), S_OK);
    EXPECT_TRUE(observer.calls.empty());
}
