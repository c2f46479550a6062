// Small COM classes the tests build on.
#pragma once

#include <string>

#include <windows.h>
#include <ole2.h>

#include "TolvComTest.h"
#include "com/ComObject.h"
#include "com/DispatchImpl.h"
#include "com/ErrorInfo.h"
#include "com/UniqueBstr.h"

namespace tolv::com::test {

// The library as widl wrote it, loaded from its file (the test programs do not register it).
inline constexpr TypeLibrary kTestLibraryFile{&LIBID_TolvComTestLib, 1, 0, L"" TOLV_COM_TEST_TLB};

// Counts the calls that reach the vtable, whether bound early or late.
class CCalculator : public DispatchImpl<ITolvCalculator, kTestLibraryFile>, public ITolvCounter {
public:
    using interface_map = tolv::com::interface_map<ITolvCalculator, ITolvCounter>;

    CCalculator() { InterlockedIncrement(&s_live); }
    ~CCalculator() { InterlockedDecrement(&s_live); }

    HRESULT STDMETHODCALLTYPE Add(LONG left, LONG right, LONG* sum) override
    {
        ++m_calls;
        *sum = left + right;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Describe(BSTR name, BSTR* text) override
    {
        ++m_calls;
        unique_bstr answer((std::wstring(L"calculator ") + (name ? name : L"")).c_str());
        *text = answer.release();
        return *text ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE Toggle(VARIANT_BOOL* flag) override
    {
        ++m_calls;
        *flag = *flag ? VARIANT_FALSE : VARIANT_TRUE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Calls(LONG* count) override
    {
        *count = m_calls;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Fail(LONG code) override
    {
        ++m_calls;
        return SetErrorInfoFor(static_cast<HRESULT>(code), L"TolvCalculator", L"Asked to fail.",
                               __uuidof(ITolvCalculator));
    }
    HRESULT STDMETHODCALLTYPE Next(LONG* value) override
    {
        *value = ++m_counter;
        return S_OK;
    }

    static LONG Live() { return s_live; }

private:
    static inline volatile LONG s_live = 0;
    LONG m_calls = 0;
    LONG m_counter = 0;
};

}  // namespace tolv::com::test
