// Error objects: set by a failing method, read back by the caller.
#include <gtest/gtest.h>

#include "TestObjects.h"
#include "com/ErrorInfo.h"

using namespace tolv::com;

namespace {

class CReporting : public ITolvCounter, public SupportErrorInfoImpl<ITolvCounter> {
public:
    using interface_map = tolv::com::interface_map<ITolvCounter, ISupportErrorInfo>;

    HRESULT STDMETHODCALLTYPE Next(LONG* value) override
    {
        *value = 0;
        return SetErrorInfoFor(E_ACCESSDENIED, L"Kivlink.KivVolume2", L"The phone refused the request.",
                               __uuidof(ITolvCounter));
    }
};

}  // namespace

TEST(ErrorInfo, FailureRoundTripsAndIsTakenOnce)
{
    EXPECT_EQ(E_FAIL, SetErrorInfoFor(E_FAIL, L"Source", L"Description", __uuidof(ITolvCounter)));
    ErrorDetails details;
    ASSERT_EQ(S_OK, TakeErrorInfo(details));
    EXPECT_STREQ(L"Source", details.source.c_str());
    EXPECT_STREQ(L"Description", details.description.c_str());
    EXPECT_TRUE(InlineIsEqualGUID(details.iid, __uuidof(ITolvCounter)));
    EXPECT_EQ(S_FALSE, TakeErrorInfo(details));
    EXPECT_TRUE(details.description.empty());
}

TEST(ErrorInfo, SuccessCodesSetNoErrorObject)
{
    EXPECT_EQ(S_FALSE, SetErrorInfoFor(S_FALSE, L"Source", L"Not an error", __uuidof(ITolvCounter)));
    ErrorDetails details;
    EXPECT_EQ(S_FALSE, TakeErrorInfo(details));
}

TEST(ErrorInfo, ClientReadsOnlyWhatTheObjectDeclares)
{
    com_ptr<ITolvCounter> counter;
    ASSERT_EQ(S_OK, MakeComObject<CReporting>(counter));
    com_ptr<ISupportErrorInfo> support = counter.try_query<ISupportErrorInfo>();
    ASSERT_TRUE(support);
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(__uuidof(ITolvCounter)));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(__uuidof(ITolvCalculator)));

    LONG value = 0;
    ASSERT_EQ(E_ACCESSDENIED, counter->Next(&value));
    ErrorDetails details;
    EXPECT_EQ(S_FALSE, TakeErrorInfoFrom(counter.get(), __uuidof(ITolvCalculator), details));
    ASSERT_EQ(S_OK, TakeErrorInfoFrom(counter.get(), __uuidof(ITolvCounter), details));
    EXPECT_STREQ(L"Kivlink.KivVolume2", details.source.c_str());
    EXPECT_STREQ(L"The phone refused the request.", details.description.c_str());
}
