// Kivlink.exe as COM starts it: registration, its classes across the process boundary, and
// its life after the last client.
#include "ServerProcess.h"

#include "KivlinkCommandLine.h"
#include "classes/KivlinkGeneral.h"
#include "classes/KivlinkMobilePhone2.h"

#include "EnvironmentServer.h"
#include "KivlinkLib.h"
#include "com/ComPtr.h"
#include "com/ErrorInfo.h"
#include "com/UniqueBstr.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t SERVER[] = L"Kivlink.exe";
const std::wstring APPID = L"AppID\\{FC8895AE-2218-11D7-B948-FFFFFF000000}";
const std::wstring VOLUME2_CLSID = L"CLSID\\{FC8895A7-2218-11D7-B948-FFFFFF000000}";

class ServerTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        // Each test starts with no server from an earlier one.
        ASSERT_GE(WaitUntilGone(SERVER, 20000), 0);
    }
    void TearDown() override { CoUninitialize(); }

    template <class I>
    HRESULT Create(REFCLSID clsid, tolv::com::com_ptr<I>& result)
    {
        return CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, __uuidof(I),
                                reinterpret_cast<void**>(result.put()));
    }
};

template <class I>
bool Answers(IUnknown* object)
{
    tolv::com::com_ptr<I> answer;
    return SUCCEEDED(object->QueryInterface(__uuidof(I), reinterpret_cast<void**>(answer.put())));
}

// Re-registers whatever a test unregistered, so later tests find the server.
struct Reregister {
    ~Reregister() { RunAndWait(BinaryPath(SERVER), L"/RegServer"); }
};

}  // namespace

TEST_F(ServerTest, RegistrationWritesTheClassesAndUnregistrationRemovesExactlyThat)
{
    Reregister again;
    ASSERT_EQ(RunAndWait(BinaryPath(SERVER), L"/RegServer"), 0);
    EXPECT_EQ(ReadDefaultValue(HKEY_CLASSES_ROOT, APPID), L"Kivlink");
    EXPECT_EQ(ReadDefaultValue(HKEY_CLASSES_ROOT, L"AppID\\Kivlink.EXE", L"AppID"),
              L"{FC8895AE-2218-11D7-B948-FFFFFF000000}");
    EXPECT_EQ(ReadDefaultValue(HKEY_CLASSES_ROOT, L"Kivlink.KivVolume2\\CurVer"), L"Kivlink.KivVolume2.1");
    EXPECT_EQ(ReadDefaultValue(HKEY_CLASSES_ROOT, L"Kivlink.KIVGENERAL.1"), L"KIVGENERAL Class");
    EXPECT_EQ(ReadDefaultValue(HKEY_CLASSES_ROOT, L"Kivlink.KivVolume\\CLSID"),
              L"{FC8895A5-2218-11D7-B948-FFFFFF000000}");
    EXPECT_EQ(ReadDefaultValue(HKEY_CLASSES_ROOT, VOLUME2_CLSID + L"\\VersionIndependentProgID"),
              L"Kivlink.KivVolume2");
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, VOLUME2_CLSID + L"\\Programmable"));
    EXPECT_NE(ReadDefaultValue(HKEY_CLASSES_ROOT, VOLUME2_CLSID + L"\\LocalServer32").find(L"Kivlink.exe"),
              std::wstring::npos);
    // PhoneServerSymbian: the unsuffixed name is the ProgID, the ".1" name the other one.
    const std::wstring phoneServer = L"CLSID\\{AA679EC7-BBD8-4EC3-AF6B-4963E6F8EDDE}";
    EXPECT_EQ(ReadDefaultValue(HKEY_CLASSES_ROOT, phoneServer + L"\\ProgID"), L"PhoneServerSymbian");
    EXPECT_EQ(ReadDefaultValue(HKEY_CLASSES_ROOT, phoneServer + L"\\VersionIndependentProgID"),
              L"PhoneServerSymbian.1");
    EXPECT_EQ(ReadDefaultValue(HKEY_CLASSES_ROOT, L"PhoneServerSymbian.1\\CurVer"), L"PhoneServerSymbian");
    EXPECT_EQ(ReadDefaultValue(HKEY_CLASSES_ROOT, phoneServer), L"Phone not connected");
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\{FC889581-2218-11D7-B948-FFFFFF000000}\\1.0"));

    ASSERT_EQ(RunAndWait(BinaryPath(SERVER), L"/UnregServer"), 0);
    for (const wchar_t* gone :
         {L"AppID\\{FC8895AE-2218-11D7-B948-FFFFFF000000}", L"AppID\\Kivlink.EXE", L"Kivlink.KivVolume2",
          L"Kivlink.KivVolume2.1", L"Kivlink.KIVGENERAL", L"Kivlink.KivVolume.1", L"PhoneServerSymbian",
          L"PhoneServerSymbian.1", L"CLSID\\{FC8895A7-2218-11D7-B948-FFFFFF000000}",
          L"CLSID\\{A3AF8BEC-5481-4996-9379-221E8BF39EC3}", L"CLSID\\{FC8895A5-2218-11D7-B948-FFFFFF000000}",
          L"CLSID\\{AA679EC7-BBD8-4EC3-AF6B-4963E6F8EDDE}", L"TypeLib\\{FC889581-2218-11D7-B948-FFFFFF000000}"})
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, gone)) << gone;
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"AppID"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
}

TEST_F(ServerTest, TheKeywordCountsInAnyLetterCaseButNotWithTextBehindIt)
{
    Reregister again;
    ASSERT_EQ(RunAndWait(BinaryPath(SERVER), L"-unregserver"), 0);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, VOLUME2_CLSID));
    ASSERT_EQ(RunAndWait(BinaryPath(SERVER), L"/REGSERVER"), 0);
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, VOLUME2_CLSID));

    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, VOLUME2_CLSID));
}

TEST(KivlinkCommandLine, OnlyTheWholeRestOfTheLineCountsAsKeyword)
{
    EXPECT_EQ(ParseKivlinkCommandLine(L"Kivlink.exe /RegServer"), KivlinkCommand::Register);
    EXPECT_EQ(ParseKivlinkCommandLine(L"\"C:\\Program Files\\Kivlink.exe\" -unregserver"), KivlinkCommand::Unregister);
    EXPECT_EQ(ParseKivlinkCommandLine(L"Kivlink.exe /rEgSeRvEr"), KivlinkCommand::Register);
    // Text behind the keyword: the server runs (and registers nothing).
    EXPECT_EQ(ParseKivlinkCommandLine(L"Kivlink.exe /UnregServer now"), KivlinkCommand::RunServer);
    EXPECT_EQ(ParseKivlinkCommandLine(L"Kivlink.exe -Embedding"), KivlinkCommand::RunServer);
    EXPECT_EQ(ParseKivlinkCommandLine(L"Kivlink.exe"), KivlinkCommand::RunServer);
    EXPECT_EQ(ParseKivlinkCommandLine(L""), KivlinkCommand::RunServer);
    // A later token still counts when the first one is something else.
    EXPECT_EQ(ParseKivlinkCommandLine(L"Kivlink.exe -Embedding /RegServer"), KivlinkCommand::Register);
}

TEST_F(ServerTest, EachClassAnswersExactlyItsInterfaces)
{
    tolv::com::com_ptr<IUnknown> general, phone, volume2, server;
    ASSERT_EQ(Create(CLSID_KivGeneral, general), S_OK);
    ASSERT_EQ(Create(CLSID_KivMobilePhone, phone), S_OK);
    ASSERT_EQ(Create(CLSID_KivVolume2, volume2), S_OK);
    ASSERT_EQ(Create(CLSID_PhoneServerSymbian, server), S_OK);
    // One server process serves them all.
    EXPECT_EQ(ProcessIdsOf(SERVER).size(), 1u);

    EXPECT_TRUE(Answers<IKivGeneral>(general.get()));
    EXPECT_TRUE(Answers<ISupportErrorInfo>(general.get()));
    EXPECT_FALSE(Answers<IKivVolume>(general.get()));

    EXPECT_TRUE(Answers<IKivVolume>(phone.get()));
    EXPECT_TRUE(Answers<ISupportErrorInfo>(phone.get()));
    EXPECT_FALSE(Answers<IConnectionPointContainer>(phone.get()));

    EXPECT_TRUE(Answers<IKivVolume2>(volume2.get()));
    EXPECT_TRUE(Answers<ISupportErrorInfo>(volume2.get()));
    EXPECT_TRUE(Answers<IConnectionPointContainer>(volume2.get()));
    EXPECT_FALSE(Answers<IKivGeneral>(volume2.get()));

    for (const auto* itf : {&IID_IKivGeneral, &IID_IPhoneServer, &IID_IKivVolume, &IID_IKivVolume2, &IID_IDcoMSG,
                            &IID_IDcoMMSCommunicator, &IID_IKivAB}) {
        tolv::com::com_ptr<IUnknown> answer;
        EXPECT_EQ(server->QueryInterface(*itf, reinterpret_cast<void**>(answer.put())), S_OK);
    }
    EXPECT_FALSE(Answers<ISupportErrorInfo>(server.get()));
    EXPECT_FALSE(Answers<IConnectionPointContainer>(server.get()));

    // No separate IDispatch entry on any of them.
    for (IUnknown* object : {general.get(), phone.get(), volume2.get(), server.get()})
        EXPECT_FALSE(Answers<IDispatch>(object));
}

TEST_F(ServerTest, CallsCrossTheBoundaryEarlyAndLateBound)
{
    tolv::com::com_ptr<IKivVolume2> volume;
    ASSERT_EQ(Create(CLSID_KivVolume2, volume), S_OK);
    // A path that is not a phone path is refused by the object itself, before any worker.
    tolv::com::unique_bstr entries;
    tolv::com::unique_bstr relative(L"Images\\a.jpg");
    EXPECT_EQ(volume->ListEntries(relative.get(), VARIANT_FALSE, entries.put()), E_INVALIDARG);
    // (Wine 8 does not carry the server's error object back to the client; the object itself
    // is checked in-process below.)
    tolv::com::com_ptr<ISupportErrorInfo> supports;
    ASSERT_EQ(volume->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(supports.put())), S_OK);
    EXPECT_EQ(supports->InterfaceSupportsErrorInfo(IID_IKivVolume2), S_OK);

    // Late binding through the dual interface's own IDispatch: identifier 12 is GetSlotNames
    // although it sits in the twenty-first slot.
    tolv::com::com_ptr<IKivVolume> phone;
    ASSERT_EQ(Create(CLSID_KivMobilePhone, phone), S_OK);
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"GetSlotNames");
    ASSERT_EQ(phone->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, 12);
    VARIANT argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_I4;
    V_I4(&argument) = stBMP;
    DISPPARAMS params{&argument, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
    HRESULT hr =
        phone->Invoke(12, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &exception, nullptr);
    EXPECT_EQ(hr == DISP_E_EXCEPTION ? exception.scode : hr, E_NOTIMPL);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    VariantClear(&result);

    tolv::com::com_ptr<IPhoneServer> server;
    ASSERT_EQ(Create(CLSID_PhoneServerSymbian, server), S_OK);
    tolv::com::unique_bstr fennel;
    EXPECT_EQ(server->ATCGetNameOfFennel(fennel.put()), KIV_E_SERVICENOTSUPPORTED);
    EXPECT_EQ(fennel.get(), nullptr);

    tolv::com::com_ptr<IConnectionPointContainer> container;
    ASSERT_EQ(volume->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.put())), S_OK);
    tolv::com::com_ptr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(DIID_IKivAllServerEvents, point.put()), S_OK);
}

TEST_F(ServerTest, PhoneServerSymbianTellsTheEnvironmentWhereKivGeneralIs)
{
    // Held, so that the environment server keeps what it is told while the test reads it.
    tolv::com::com_ptr<IEnvironmentServer> environment;
    ASSERT_EQ(Create(CLSID_EnvironmentServer, environment), S_OK);
    tolv::com::unique_bstr name(L"CLSID_KivGeneral");
    environment->RemoveValue(name.get());

    tolv::com::com_ptr<IPhoneServer> server;
    ASSERT_EQ(Create(CLSID_PhoneServerSymbian, server), S_OK);
    VARIANT value;
    VariantInit(&value);
    ASSERT_EQ(environment->GetValue(name.get(), &value), S_OK);
    ASSERT_EQ(V_VT(&value), VT_BSTR);
    EXPECT_STREQ(V_BSTR(&value), L"{A3AF8BEC-5481-4996-9379-221E8BF39EC3}");
    VariantClear(&value);

    // Its forwarded interfaces reach the inner objects.
    tolv::com::com_ptr<IKivGeneral> general;
    ASSERT_EQ(server.query(general), S_OK);
    tolv::com::unique_bstr ports;
    LONG mask = 0;
    EXPECT_EQ(general->GetCommPorts(ports.put(), 0, &mask), E_NOTIMPL);
    // No messaging classes are installed: their interfaces answer the forwarding failure.
    tolv::com::com_ptr<IKivAB> addressBook;
    ASSERT_EQ(server.query(addressBook), S_OK);
    LONG count = 0;
    EXPECT_EQ(addressBook->ABCountEntries(&count), static_cast<HRESULT>(0x80042001));
}

TEST_F(ServerTest, TheServerEndsAboutFiveSecondsAfterItsLastClient)
{
    tolv::com::com_ptr<IKivVolume2> volume;
    ASSERT_EQ(Create(CLSID_KivVolume2, volume), S_OK);
    ASSERT_EQ(ProcessIdsOf(SERVER).size(), 1u);
    volume.reset();
    long gone = WaitUntilGone(SERVER, 30000);
    ASSERT_GE(gone, 0);
    // Five seconds of grace, then the class objects are revoked a second later.
    EXPECT_GE(gone, 4500);
    EXPECT_LT(gone, 15000);
}

TEST_F(ServerTest, AClientComingBackInTimeKeepsItButDoesNotRenewTheGracePeriod)
{
    tolv::com::com_ptr<IKivGeneral> general;
    ASSERT_EQ(Create(CLSID_KivGeneral, general), S_OK);
    std::vector<DWORD> first = ProcessIdsOf(SERVER);
    ASSERT_EQ(first.size(), 1u);
    general.reset();
    Sleep(2000);
    ASSERT_EQ(Create(CLSID_KivGeneral, general), S_OK);
    EXPECT_EQ(ProcessIdsOf(SERVER), first);
    Sleep(5000);
    EXPECT_EQ(ProcessIdsOf(SERVER), first);
    // More than five seconds since the first time it had no client: it ends at once.
    general.reset();
    long gone = WaitUntilGone(SERVER, 30000);
    ASSERT_GE(gone, 0);
    EXPECT_LT(gone, 4000);
}

TEST_F(ServerTest, FailingMethodsSetAnErrorObjectNamingTheClassAndInterface)
{
    tolv::com::com_ptr<IKivVolume2> volume;
    ASSERT_EQ(tolv::com::MakeComObject<CKivlinkMobilePhone2>(volume), S_OK);
    tolv::com::unique_bstr entries;
    tolv::com::unique_bstr relative(L"Images\\a.jpg");
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(volume->ListEntries(relative.get(), VARIANT_FALSE, entries.put()), E_INVALIDARG);
    tolv::com::ErrorDetails details;
    ASSERT_EQ(tolv::com::TakeErrorInfo(details), S_OK);
    EXPECT_STREQ(details.source.get(), L"Kivlink.KivVolume2.1");
    EXPECT_NE(SysStringLen(details.description.get()), 0u);

    tolv::com::com_ptr<IKivGeneral> general;
    ASSERT_EQ(tolv::com::MakeComObject<CKivlinkGeneral>(general), S_OK);
    tolv::com::unique_bstr ports;
    LONG mask = 0;
    EXPECT_EQ(general->GetCommPorts(ports.put(), 0, &mask), E_NOTIMPL);
    ASSERT_EQ(tolv::com::TakeErrorInfo(details), S_OK);
    EXPECT_STREQ(details.source.get(), L"Kivlink.KIVGENERAL.1");
}
