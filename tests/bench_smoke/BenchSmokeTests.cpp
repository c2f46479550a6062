// Proves the Wine bench: a registered local server in another process, a dual interface
// carried by the type-library marshaller (early and late bound), and an event whose
// by-reference VARIANT_BOOL the client's sink answers while it waits in the call.
#include "SmokeCalculator.h"

#include "com/ComPtr.h"
#include "com/UniqueBstr.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class AnsweringSink : public IDispatch {
public:
    explicit AnsweringSink(VARIANT_BOOL answer) : m_answer(answer) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID__ISmokeEvents)) {
            *result = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&m_references)); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        // Arguments arrive in reverse order: the answer first, then the question.
        if (id != 1 || params->cArgs != 2 || V_VT(&params->rgvarg[0]) != (VT_BOOL | VT_BYREF) ||
            V_VT(&params->rgvarg[1]) != VT_BSTR)
            return DISP_E_BADPARAMCOUNT;
        question = V_BSTR(&params->rgvarg[1]);
        threadId = GetCurrentThreadId();
        *V_BOOLREF(&params->rgvarg[0]) = m_answer;
        return S_OK;
    }

    std::wstring question;
    DWORD threadId = 0;
    LONG References() const { return m_references; }

private:
    VARIANT_BOOL m_answer;
    volatile LONG m_references = 1;
};

class BenchSmoke : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_EQ(CoCreateInstance(CLSID_SmokeCalculator, nullptr, CLSCTX_LOCAL_SERVER, IID_ISmokeCalculator,
                                   reinterpret_cast<void**>(calculator.put())),
                  S_OK);
    }
    void TearDown() override
    {
        calculator.reset();
        CoUninitialize();
    }
    tolv::com::com_ptr<ISmokeCalculator> calculator;
};

}  // namespace

TEST_F(BenchSmoke, EarlyAndLateBoundCallsReachTheServerInAnotherProcess)
{
    LONG serverProcess = 0;
    ASSERT_EQ(calculator->ProcessId(&serverProcess), S_OK);
    EXPECT_NE(static_cast<DWORD>(serverProcess), GetCurrentProcessId());

    LONG sum = 0;
    ASSERT_EQ(calculator->Add(40, 2, &sum), S_OK);
    EXPECT_EQ(sum, 42);

    VARIANT arguments[2];
    VariantInit(&arguments[0]);
    VariantInit(&arguments[1]);
    V_VT(&arguments[0]) = VT_I4;  // b
    V_I4(&arguments[0]) = -5;
    V_VT(&arguments[1]) = VT_I4;  // a
    V_I4(&arguments[1]) = 12;
    DISPPARAMS params{arguments, nullptr, 2, 0};
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(calculator->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(V_VT(&result), VT_I4);
    EXPECT_EQ(V_I4(&result), 7);

    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"AskSinks");
    ASSERT_EQ(calculator->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, 2);
}

TEST_F(BenchSmoke, AnEventWithAByReferenceAnswerComesBackFromTheConnectionPoint)
{
    tolv::com::com_ptr<IConnectionPointContainer> container;
    ASSERT_EQ(calculator->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.put())),
              S_OK);
    tolv::com::com_ptr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(DIID__ISmokeEvents, point.put()), S_OK);

    AnsweringSink sink(VARIANT_TRUE);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    tolv::com::unique_bstr question(L"cancel?");
    VARIANT_BOOL answer = VARIANT_FALSE;
    ASSERT_EQ(calculator->AskSinks(question.get(), &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_TRUE);
    EXPECT_EQ(sink.question, L"cancel?");
    // The call came back into this single-threaded apartment while it waited for the server.
    EXPECT_EQ(sink.threadId, GetCurrentThreadId());

    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    answer = VARIANT_TRUE;
    ASSERT_EQ(calculator->AskSinks(question.get(), &answer), S_OK);
    EXPECT_EQ(answer, VARIANT_FALSE);
    EXPECT_EQ(sink.References(), 1);
}
