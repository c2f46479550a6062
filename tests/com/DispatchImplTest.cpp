// DispatchImpl: late-bound calls reach the same vtable methods as early-bound ones.
#include <gtest/gtest.h>

#include <string>

#include "TestObjects.h"
#include "com/UniqueVariant.h"

using namespace tolv::com;
using tolv::com::test::CCalculator;
using tolv::com::test::kTestLibraryFile;

namespace {

class DispatchImplTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, MakeComObject<CCalculator>(m_calculator));
        m_dispatch = m_calculator;
    }

    DISPID IdOf(const wchar_t* name)
    {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(S_OK, m_dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
        return id;
    }

    HRESULT Call(DISPID id, WORD flags, std::initializer_list<VARIANT> reversedArguments, VARIANT* result)
    {
        VARIANT arguments[4];
        UINT count = 0;
        for (const VARIANT& argument : reversedArguments) {
            arguments[count++] = argument;
        }
        DISPPARAMS params{count ? arguments : nullptr, nullptr, count, 0};
        UINT argumentError = 0;
        return m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, &argumentError);
    }

    static VARIANT Long(LONG value)
    {
        VARIANT variant;
        VariantInit(&variant);
        variant.vt = VT_I4;
        variant.lVal = value;
        return variant;
    }

    LONG Calls()
    {
        LONG calls = -1;
        m_calculator->get_Calls(&calls);
        return calls;
    }

    com_ptr<ITolvCalculator> m_calculator;
    com_ptr<IDispatch> m_dispatch;
};

}  // namespace

TEST_F(DispatchImplTest, LibraryFileLoadsByLinuxAndDrivePathAndStatesItsLibid)
{
    com_ptr<ITypeLib> fromLinuxPath;
    EXPECT_EQ(S_OK, LoadTypeLibEx(L"" TOLV_COM_TEST_TLB, REGKIND_NONE, fromLinuxPath.put()));
    std::wstring drivePath = std::wstring(L"Z:") + (L"" TOLV_COM_TEST_TLB);
    for (wchar_t& character : drivePath) {
        character = character == L'/' ? L'\\' : character;
    }
    com_ptr<ITypeLib> fromDrivePath;
    EXPECT_EQ(S_OK, LoadTypeLibEx(drivePath.c_str(), REGKIND_NONE, fromDrivePath.put()));

    // The file states the identity the header declares (registration depends on it).
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, fromLinuxPath->GetLibAttr(&attributes));
    EXPECT_TRUE(InlineIsEqualGUID(attributes->guid, LIBID_TolvComTestLib));
    fromLinuxPath->ReleaseTLibAttr(attributes);
}

TEST_F(DispatchImplTest, DescribesOneTypeInfoSharedByAllObjects)
{
    UINT count = 0;
    EXPECT_EQ(S_OK, m_dispatch->GetTypeInfoCount(&count));
    EXPECT_EQ(1u, count);
    com_ptr<ITypeInfo> info;
    ASSERT_EQ(S_OK, m_dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()));
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, info->GetTypeAttr(&attributes));
    EXPECT_TRUE(InlineIsEqualGUID(attributes->guid, __uuidof(ITolvCalculator)));
    info->ReleaseTypeAttr(attributes);
    EXPECT_EQ(DISP_E_BADINDEX, m_dispatch->GetTypeInfo(1, LOCALE_USER_DEFAULT, info.put()));

    com_ptr<ITolvCalculator> other;
    ASSERT_EQ(S_OK, MakeComObject<CCalculator>(other));
    com_ptr<ITypeInfo> first;
    com_ptr<ITypeInfo> second;
    ASSERT_EQ(S_OK, m_dispatch->GetTypeInfo(0, 0, first.put()));
    ASSERT_EQ(S_OK, other->GetTypeInfo(0, 0, second.put()));
    EXPECT_EQ(first.get(), second.get());
}

TEST_F(DispatchImplTest, NamesMapToTheDeclaredIdsNotToSlots)
{
    EXPECT_EQ(5, IdOf(L"Add"));
    EXPECT_EQ(1, IdOf(L"Describe"));
    EXPECT_EQ(12, IdOf(L"Toggle"));
    EXPECT_EQ(7, IdOf(L"Calls"));

    LPOLESTR names[] = {const_cast<LPOLESTR>(L"NoSuchMethod")};
    DISPID id = 0;
    EXPECT_EQ(DISP_E_UNKNOWNNAME, m_dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id));
    EXPECT_EQ(DISP_E_UNKNOWNINTERFACE, m_dispatch->GetIDsOfNames(IID_IDispatch, names, 1, 0, &id));
}

TEST_F(DispatchImplTest, LateAndEarlyBindingReachTheSameMethods)
{
    unique_variant sum;
    // Arguments are passed last first.
    ASSERT_EQ(S_OK, Call(5, DISPATCH_METHOD, {Long(2), Long(40)}, sum.put()));
    ASSERT_EQ(VT_I4, sum.type());
    EXPECT_EQ(42, sum.get()->lVal);

    VARIANT_BOOL flag = VARIANT_FALSE;
    VARIANT byReference;
    VariantInit(&byReference);
    byReference.vt = VT_BOOL | VT_BYREF;
    byReference.pboolVal = &flag;
    unique_variant ignored;
    ASSERT_EQ(S_OK, Call(12, DISPATCH_METHOD, {byReference}, ignored.put()));
    EXPECT_EQ(VARIANT_TRUE, flag);

    unique_variant name;
    ASSERT_EQ(S_OK, name.set_string(L"late"));
    unique_variant text;
    ASSERT_EQ(S_OK, Call(1, DISPATCH_METHOD, {*name.get()}, text.put()));
    ASSERT_EQ(VT_BSTR, text.type());
    EXPECT_STREQ(L"calculator late", text.get()->bstrVal);

    LONG early = 0;
    ASSERT_EQ(S_OK, m_calculator->Add(1, 1, &early));
    unique_variant calls;
    ASSERT_EQ(S_OK, Call(7, DISPATCH_PROPERTYGET, {}, calls.put()));
    EXPECT_EQ(4, calls.get()->lVal);
    EXPECT_EQ(4, Calls());
}

TEST_F(DispatchImplTest, LateBoundFailureArrivesAsExceptionWithTheMethodsCode)
{
    DISPPARAMS params{};
    VARIANT code = Long(static_cast<LONG>(E_ACCESSDENIED));
    params.rgvarg = &code;
    params.cArgs = 1;
    EXCEPINFO exception{};
    unique_variant result;
    EXPECT_EQ(DISP_E_EXCEPTION, m_dispatch->Invoke(20, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                                   result.put(), &exception, nullptr));
    EXPECT_EQ(E_ACCESSDENIED, exception.scode);
    EXPECT_STREQ(L"Asked to fail.", exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);

    // Early bound, the same method returns its code directly.
    EXPECT_EQ(E_ACCESSDENIED, m_calculator->Fail(static_cast<LONG>(E_ACCESSDENIED)));
    SetErrorInfo(0, nullptr);
}

TEST_F(DispatchImplTest, BadCallsAreRefusedWithoutReachingTheObject)
{
    unique_variant result;
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, Call(99, DISPATCH_METHOD, {}, result.put()));
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, Call(5, DISPATCH_METHOD, {Long(1)}, result.put()));
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(DISP_E_UNKNOWNINTERFACE,
              m_dispatch->Invoke(7, IID_IDispatch, 0, DISPATCH_PROPERTYGET, &none, result.put(), nullptr, nullptr));
    EXPECT_EQ(0, Calls());
}
