// Tunepane's task adapter as the scheduler and the task list meet it: early-bound, and
// late-bound through the task contract's registered type library.
#include <gtest/gtest.h>

#include "com/ComInit.h"
#include "com/ComPtr.h"
#include "com/UniqueBstr.h"
#include "com/UniqueVariant.h"
#include "HostLib.h"
#include "tests/support/MessageBoxWatcher.h"
#include "TaskpaneLib.h"
#include "TunepaneLib.h"
#include "tests/kivlink_phone/PhoneSimulator.h"

namespace {

using tolv::com::com_ptr;

class TaskAdapterTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(
            CoCreateInstance(CLSID_Mp3PlugIntoScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(m_adapter.put())));
    }

    tolv::com::com_init m_com{COINIT_APARTMENTTHREADED};
    com_ptr<ITolvTaskScheduler> m_adapter;
};

TEST_F(TaskAdapterTest, TheAdapterIsAlwaysReadyAndNamesItselfLateBoundAsTheTaskList)
{
    long initialized = 0;
    EXPECT_EQ(m_adapter->IsInitialized(&initialized), S_OK);
    EXPECT_EQ(initialized, 1);

    com_ptr<IDispatch> dispatch;
    ASSERT_HRESULT_SUCCEEDED(m_adapter->QueryInterface(IID_PPV_ARGS(dispatch.put())));
    LPOLESTR name = const_cast<LPOLESTR>(L"GetName");
    DISPID id = 0;
    ASSERT_HRESULT_SUCCEEDED(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));
    EXPECT_EQ(id, 3);
    DISPPARAMS none{};
    tolv::com::unique_variant result;
    ASSERT_HRESULT_SUCCEEDED(
        dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, result.put(), nullptr, nullptr));
    ASSERT_EQ(V_VT(result.get()), VT_BSTR);
    EXPECT_STREQ(V_BSTR(result.get()), L"MP3");
}

TEST_F(TaskAdapterTest, NullOutParametersAreRefused)
{
    EXPECT_EQ(m_adapter->RunTask(nullptr), E_POINTER);
    EXPECT_EQ(m_adapter->IsInitialized(nullptr), E_POINTER);
    EXPECT_EQ(m_adapter->GetName(nullptr), E_POINTER);
}

TEST_F(TaskAdapterTest, ARunWithoutHostOrPhoneFailsWithItsMessageAndLeavesNoPageBehind)
{
    ASSERT_TRUE(EndPhoneSim());
    CMessageBoxWatcher boxes(L"Copy MP3 to phone");

    long result = -1;
    EXPECT_EQ(m_adapter->RunTask(&result), S_OK);
    EXPECT_EQ(result, 2);
    ASSERT_TRUE(boxes.WaitForBoxes(1, 10000));
    EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"The phone call was disconnected"});

    // The run's own page is gone: commands find none to enable.
    com_ptr<IHostCommands> commands;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_TunepaneCommands, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(commands.put())));
    VARIANT_BOOL enable = VARIANT_TRUE;
    tolv::com::unique_bstr model(L"Tamlo");
    EXPECT_EQ(commands->EnableToolButton(model.get(), 0, 0, &enable), S_OK);
    EXPECT_EQ(enable, VARIANT_FALSE);
}

}  // namespace
