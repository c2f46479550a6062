// The forty-second method keeps a name and a VARIANT; the companions read, list and forget
// what was kept. The slot positions are those the suite's callers rely on.
#include "tests/envserver/EnvServerTest.h"

#include <string>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/UniqueBstr.h"
#include "com/UniqueVariant.h"

namespace {

constexpr size_t kDispatchSlots = 7;
constexpr wchar_t kKivGeneralName[] = L"CLSID_KivGeneral";
constexpr wchar_t kKivGeneralText[] = L"{6B4C3A83-0D6E-4A2C-9E5B-6A1F2B3C4D5E}";

tolv::com::unique_variant Text(const wchar_t* text)
{
    tolv::com::unique_variant value;
    value.set_string(text);
    return value;
}

tolv::com::unique_variant Number(LONG number)
{
    tolv::com::unique_variant value;
    value.set_long(number);
    return value;
}

tolv::com::unique_variant ValueOf(IEnvironmentServer* server, const wchar_t* name, HRESULT expected = S_OK)
{
    tolv::com::unique_variant value;
    EXPECT_EQ(server->GetValue(tolv::com::unique_bstr(name).get(), value.put()), expected) << name;
    return value;
}

HRESULT Keep(IEnvironmentServer* server, const wchar_t* name, const tolv::com::unique_variant& value)
{
    return server->SetValue(tolv::com::unique_bstr(name).get(), *value.get());
}

void Forget(IEnvironmentServer* server, const wchar_t* name)
{
    server->RemoveValue(tolv::com::unique_bstr(name).get());
}

// The vtable side of the registered library's description of the interface.
tolv::com::com_ptr<ITypeInfo> VtableTypeInfo()
{
    tolv::com::com_ptr<ITypeLib> library;
    EXPECT_EQ(LoadRegTypeLib(LIBID_EnvironmentServerLib, 1, 0, 0, library.put()), S_OK);
    tolv::com::com_ptr<ITypeInfo> described;
    if (!library || FAILED(library->GetTypeInfoOfGuid(IID_IEnvironmentServer, described.put()))) {
        return {};
    }
    HREFTYPE vtableSide = 0;
    tolv::com::com_ptr<ITypeInfo> invoked;
    if (SUCCEEDED(described->GetRefTypeOfImplType(-1, &vtableSide))) {
        described->GetRefTypeInfo(vtableSide, invoked.put());
    }
    return invoked;
}

// The vtable slot (counting QueryInterface as 0) of a method, -1 if not found.
long SlotOf(ITypeInfo* info, const wchar_t* method)
{
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) {
        return -1;
    }
    const WORD functions = attributes->cFuncs;
    info->ReleaseTypeAttr(attributes);
    for (UINT index = 0; index < functions; ++index) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(index, &function))) {
            continue;
        }
        tolv::com::unique_bstr name;
        info->GetDocumentation(function->memid, name.put(), nullptr, nullptr, nullptr);
        const long slot = static_cast<long>(function->oVft / sizeof(void*));
        info->ReleaseFuncDesc(function);
        if (name.c_str() == std::wstring(method)) {
            return slot;
        }
    }
    return -1;
}

class CLocalObject : public IPersist {
public:
    using interface_map = tolv::com::interface_map<IPersist>;
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override
    {
        *clsid = GUID_NULL;
        return S_OK;
    }
};

}  // namespace

using EnvServerValues = EnvServerTest;

TEST_F(EnvServerValues, TheRegisteredLibraryPutsLanguageThirdAndSetValueFortySecond)
{
    const auto info = VtableTypeInfo();
    ASSERT_TRUE(info);
    EXPECT_EQ(SlotOf(info.get(), L"GetLanguage"), long{kDispatchSlots + 2});
    EXPECT_EQ(SlotOf(info.get(), L"SetValue"), long{kDispatchSlots + 41});

    // Cross-process calls go through the type-library marshaller.
    wchar_t proxy[64] = L"";
    LONG size = sizeof proxy;
    EXPECT_EQ(RegQueryValueW(HKEY_CLASSES_ROOT, L"Interface\\{D5C6DB75-C3B6-47F7-9774-CA20D8552056}\\ProxyStubClsid32",
                             proxy, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(_wcsicmp(proxy, L"{00020424-0000-0000-C000-000000000046}"), 0) << proxy;
}

TEST_F(EnvServerValues, TheFortySecondSlotKeepsTheNameAndTheValue)
{
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    // Called by position, as the suite's aggregate does.
    using SetValueSlot = HRESULT(STDMETHODCALLTYPE*)(IEnvironmentServer*, BSTR, VARIANT);
    void** const vtable = *reinterpret_cast<void***>(server.get());
    const auto slot42 = reinterpret_cast<SetValueSlot>(vtable[kDispatchSlots + 41]);
    const tolv::com::unique_bstr name(kKivGeneralName);
    const tolv::com::unique_variant value = Text(kKivGeneralText);
    ASSERT_EQ(slot42(server.get(), name.get(), *value.get()), S_OK);

    const tolv::com::unique_variant back = ValueOf(server.get(), kKivGeneralName);
    ASSERT_EQ(back.type(), VT_BSTR);
    EXPECT_STREQ(back.get()->bstrVal, kKivGeneralText);
    VARIANT_BOOL kept = VARIANT_FALSE;
    EXPECT_EQ(server->HasValue(name.get(), &kept), S_OK);
    EXPECT_EQ(kept, VARIANT_TRUE);
    Forget(server.get(), kKivGeneralName);
}

TEST_F(EnvServerValues, ValuesAreSharedByTheServersObjectsAndCanBeReplacedAndForgotten)
{
    const auto first = CreateServer();
    const auto second = CreateServer();
    ASSERT_TRUE(first && second);
    ASSERT_EQ(Keep(first.get(), L"test.shared", Number(5)), S_OK);
    EXPECT_EQ(ValueOf(second.get(), L"test.shared").get()->lVal, 5);

    ASSERT_EQ(Keep(second.get(), L"test.shared", Text(L"five")), S_OK);
    const tolv::com::unique_variant replaced = ValueOf(first.get(), L"test.shared");
    ASSERT_EQ(replaced.type(), VT_BSTR);
    EXPECT_STREQ(replaced.get()->bstrVal, L"five");

    EXPECT_EQ(first->RemoveValue(tolv::com::unique_bstr(L"test.shared").get()), S_OK);
    EXPECT_EQ(first->RemoveValue(tolv::com::unique_bstr(L"test.shared").get()), S_FALSE);
    EXPECT_EQ(ValueOf(second.get(), L"test.shared", HRESULT_FROM_WIN32(ERROR_NOT_FOUND)).type(), VT_EMPTY);
    VARIANT_BOOL kept = VARIANT_TRUE;
    EXPECT_EQ(second->HasValue(tolv::com::unique_bstr(L"test.shared").get(), &kept), S_OK);
    EXPECT_EQ(kept, VARIANT_FALSE);
}

TEST_F(EnvServerValues, NamesAreListedInOrder)
{
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    long before = 0;
    ASSERT_EQ(server->GetValueCount(&before), S_OK);
    for (const wchar_t* name : {L"test.list.b", L"test.list.c", L"test.list.a"}) {
        ASSERT_EQ(Keep(server.get(), name, Number(1)), S_OK);
    }
    long count = 0;
    ASSERT_EQ(server->GetValueCount(&count), S_OK);
    ASSERT_EQ(count, before + 3);
    std::wstring listed;
    for (long index = 0; index < count; ++index) {
        tolv::com::unique_bstr name;
        ASSERT_EQ(server->GetValueName(index, name.put()), S_OK);
        if (std::wstring(name.c_str()).starts_with(L"test.list.")) {
            listed += name.c_str();
            listed += L' ';
        }
    }
    EXPECT_EQ(listed, L"test.list.a test.list.b test.list.c ");
    tolv::com::unique_bstr outside;
    EXPECT_EQ(server->GetValueName(count, outside.put()), E_INVALIDARG);
    EXPECT_EQ(server->GetValueName(-1, outside.put()), E_INVALIDARG);
    for (const wchar_t* name : {L"test.list.a", L"test.list.b", L"test.list.c"}) {
        Forget(server.get(), name);
    }
}

TEST_F(EnvServerValues, UnnamedValuesAndObjectReferencesAreRefused)
{
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    EXPECT_EQ(server->SetValue(nullptr, *Number(1).get()), E_INVALIDARG);
    EXPECT_EQ(Keep(server.get(), L"", Number(1)), E_INVALIDARG);

    tolv::com::com_ptr<IPersist> object;
    ASSERT_EQ((tolv::com::MakeComObject<CLocalObject>(object)), S_OK);
    tolv::com::unique_variant reference;
    reference.set_unknown(object.get());
    EXPECT_EQ(Keep(server.get(), L"test.object", reference), DISP_E_TYPEMISMATCH);
    ValueOf(server.get(), L"test.object", HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
}

TEST_F(EnvServerValues, LateBoundCallersReachTheSameMethods)
{
    const auto server = CreateServer();
    ASSERT_TRUE(server);
    tolv::com::com_ptr<IDispatch> dispatch;
    ASSERT_EQ(server.query(dispatch), S_OK);

    auto idOf = [&](const wchar_t* name) {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
        return id;
    };

    // Arguments go in reverse order.
    VARIANT arguments[2];
    arguments[0].vt = VT_I4;
    arguments[0].lVal = 42;
    tolv::com::unique_bstr name(L"test.late");
    arguments[1].vt = VT_BSTR;
    arguments[1].bstrVal = name.get();
    DISPPARAMS setParameters{arguments, nullptr, 2, 0};
    EXPECT_EQ(dispatch->Invoke(idOf(L"SetValue"), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &setParameters,
                               nullptr, nullptr, nullptr),
              S_OK);

    DISPPARAMS getParameters{&arguments[1], nullptr, 1, 0};
    tolv::com::unique_variant result;
    EXPECT_EQ(dispatch->Invoke(idOf(L"GetValue"), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &getParameters,
                               result.put(), nullptr, nullptr),
              S_OK);
    EXPECT_EQ(result.type(), VT_I4);
    EXPECT_EQ(result.get()->lVal, 42);

    DISPPARAMS none{nullptr, nullptr, 0, 0};
    tolv::com::unique_variant language;
    EXPECT_EQ(dispatch->Invoke(idOf(L"GetLanguage"), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                               language.put(), nullptr, nullptr),
              S_OK);
    EXPECT_EQ(language.type(), VT_I2);
    Forget(server.get(), L"test.late");
}
