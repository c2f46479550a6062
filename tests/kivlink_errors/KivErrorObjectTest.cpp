// The error object a failing method leaves behind: its GUID by facility, the class's ProgID
// as source, the text as description; success codes leave the thread's error object alone.
#include <gtest/gtest.h>

#include <olectl.h>

#include "Components/Kivlink/errors/KivErrorObject.h"
#include "KivlinkLib.h"
#include "com/ComInit.h"
#include "com/ErrorInfo.h"

namespace {

// An interface id of our own choosing; any id will do as long as it comes back.
constexpr IID kRaisingInterface = {0x6A1C2F70, 0x51E4, 0x4B0D, {0x9C, 0x3E, 0x27, 0x55, 0x10, 0xB8, 0x4A, 0x01}};
// A class Wine registers with the ProgID "StdFont".
const CLSID& kRegisteredClass = CLSID_StdFont;
constexpr CLSID kUnregisteredClass = {0x6A1C2F71, 0x51E4, 0x4B0D, {0x9C, 0x3E, 0x27, 0x55, 0x10, 0xB8, 0x4A, 0x02}};

class KivErrorObject : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(com.succeeded());
        SetErrorInfo(0, nullptr);
    }

    tolv::com::com_init com{COINIT_APARTMENTTHREADED};
};

}  // namespace

TEST_F(KivErrorObject, SystemFacilitiesCarryTheNullGuidOthersTheInterface)
{
    for (HRESULT system : {E_ACCESSDENIED, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), E_FAIL, E_NOTIMPL,
                           RPC_E_SERVERFAULT, RPC_E_DISCONNECTED, DISP_E_EXCEPTION, DISP_E_TYPEMISMATCH}) {
        EXPECT_TRUE(IsEqualGUID(KivErrorObjectGuid(system, kRaisingInterface), GUID_NULL)) << std::hex << system;
    }
    for (HRESULT own : {HRESULT{KIV_E_NOCONNECTION}, HRESULT{KIV_E_TIMEOUT}, STG_E_FILENOTFOUND,
                        CO_E_SERVER_EXEC_FAILURE, MAKE_HRESULT(SEVERITY_ERROR, 0x1FFF, 1)}) {
        EXPECT_TRUE(IsEqualGUID(KivErrorObjectGuid(own, kRaisingInterface), kRaisingInterface)) << std::hex << own;
    }
}

TEST_F(KivErrorObject, AFailureSetsSourceDescriptionAndGuid)
{
    EXPECT_EQ(KivSetErrorObject(KIV_E_NOCONNECTION, "Telefon nicht verbunden", kRegisteredClass, kRaisingInterface),
              HRESULT{KIV_E_NOCONNECTION});
    tolv::com::ErrorDetails details;
    ASSERT_EQ(tolv::com::TakeErrorInfo(details), S_OK);
    EXPECT_TRUE(IsEqualGUID(details.iid, kRaisingInterface));
    EXPECT_STREQ(details.source.c_str(), L"StdFont");
    EXPECT_STREQ(details.description.c_str(), L"Telefon nicht verbunden");
}

TEST_F(KivErrorObject, AWin32FailureCarriesTheNullGuid)
{
    KivSetErrorObject(E_ACCESSDENIED, "Access denied.", kRegisteredClass, kRaisingInterface);
    tolv::com::ErrorDetails details;
    ASSERT_EQ(tolv::com::TakeErrorInfo(details), S_OK);
    EXPECT_TRUE(IsEqualGUID(details.iid, GUID_NULL));
    EXPECT_STREQ(details.description.c_str(), L"Access denied.");
}

TEST_F(KivErrorObject, AClassWithoutProgIdLeavesTheSourceEmpty)
{
    KivSetErrorObject(KIV_E_TIMEOUT, "Unknown error # x8004b016", kUnregisteredClass, kRaisingInterface);
    tolv::com::ErrorDetails details;
    ASSERT_EQ(tolv::com::TakeErrorInfo(details), S_OK);
    EXPECT_TRUE(details.source.empty());
    EXPECT_STREQ(details.description.c_str(), L"Unknown error # x8004b016");
}

TEST_F(KivErrorObject, SuccessCodesSetNoErrorObject)
{
    EXPECT_EQ(KivSetErrorObject(S_OK, "nothing", kRegisteredClass, kRaisingInterface), S_OK);
    EXPECT_EQ(KivSetErrorObject(S_FALSE, "nothing", kRegisteredClass, kRaisingInterface), S_FALSE);
    EXPECT_EQ(KivReportError(S_OK, kRegisteredClass, kRaisingInterface, 1031, GetModuleHandleW(nullptr), nullptr),
              S_OK);
    tolv::com::ErrorDetails details;
    EXPECT_EQ(tolv::com::TakeErrorInfo(details), S_FALSE);

    // Nor do they replace one that is already there.
    tolv::com::SetErrorInfoFor(E_FAIL, L"earlier", L"earlier failure", GUID_NULL);
    KivSetErrorObject(S_OK, "nothing", kRegisteredClass, kRaisingInterface);
    ASSERT_EQ(tolv::com::TakeErrorInfo(details), S_OK);
    EXPECT_STREQ(details.description.c_str(), L"earlier failure");
}

TEST_F(KivErrorObject, ReportErrorDescribesTheCodeInTheLanguage)
{
    EXPECT_EQ(KivReportError(KIV_E_NOCONNECTION, kRegisteredClass, kRaisingInterface, 1031, GetModuleHandleW(nullptr),
                             nullptr),
              HRESULT{KIV_E_NOCONNECTION});
    tolv::com::ErrorDetails details;
    ASSERT_EQ(tolv::com::TakeErrorInfo(details), S_OK);
    EXPECT_STREQ(details.source.c_str(), L"StdFont");
    EXPECT_STREQ(details.description.c_str(), L"Telefon nicht verbunden");
    EXPECT_TRUE(IsEqualGUID(details.iid, kRaisingInterface));

    KivReportError(KIV_E_TIMEOUT, kRegisteredClass, kRaisingInterface, 1033, GetModuleHandleW(nullptr), nullptr);
    ASSERT_EQ(tolv::com::TakeErrorInfo(details), S_OK);
    EXPECT_STREQ(details.description.c_str(), L"Unknown error # x8004b016");
}
