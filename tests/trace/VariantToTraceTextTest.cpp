#include "trace/VariantToTraceText.h"

#include <gtest/gtest.h>
#include <oleauto.h>

namespace {

class CVariant {
public:
    CVariant() { VariantInit(&m_value); }
    ~CVariant() { VariantClear(&m_value); }
    CVariant(const CVariant&) = delete;
    CVariant& operator=(const CVariant&) = delete;
    VARIANT* operator&() { return &m_value; }
    VARIANT& operator*() { return m_value; }

private:
    VARIANT m_value;
};

TEST(VariantToTraceTextTest, RendersTheTracedTypes)
{
    EXPECT_EQ(VariantToTraceText(nullptr), "NULL");

    CVariant empty;
    EXPECT_EQ(VariantToTraceText(&empty), "VT_EMPTY");

    CVariant number;
    V_VT(&number) = VT_I4;
    V_I4(&number) = -2147483647 - 1;
    EXPECT_EQ(VariantToTraceText(&number), "-2147483648");

    CVariant yes, no, odd;
    V_VT(&yes) = V_VT(&no) = V_VT(&odd) = VT_BOOL;
    V_BOOL(&yes) = VARIANT_TRUE;
    V_BOOL(&no) = VARIANT_FALSE;
    V_BOOL(&odd) = 1;
    EXPECT_EQ(VariantToTraceText(&yes), "True");
    EXPECT_EQ(VariantToTraceText(&no), "False");
    EXPECT_EQ(VariantToTraceText(&odd), "False") << "only VARIANT_TRUE is true";
}

TEST(VariantToTraceTextTest, TextIsConvertedToTheAnsiCodePage)
{
    CVariant text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = SysAllocString(L"E:\\Images\\Photo 1.jpg");
    EXPECT_EQ(VariantToTraceText(&text), "E:\\Images\\Photo 1.jpg");

    // A BSTR carries its length: an embedded zero does not end it.
    CVariant embedded;
    V_VT(&embedded) = VT_BSTR;
    V_BSTR(&embedded) = SysAllocStringLen(L"a\0b", 3);
    EXPECT_EQ(VariantToTraceText(&embedded), std::string("a\0b", 3));

    CVariant null;
    V_VT(&null) = VT_BSTR;
    V_BSTR(&null) = nullptr;
    EXPECT_EQ(VariantToTraceText(&null), "");

    CVariant accented;
    V_VT(&accented) = VT_BSTR;
    V_BSTR(&accented) = SysAllocString(L"Caf\u00e9");
    char expected[16] = "";
    WideCharToMultiByte(CP_ACP, 0, L"Caf\u00e9", -1, expected, sizeof(expected), nullptr, nullptr);
    EXPECT_EQ(VariantToTraceText(&accented), expected);
}

TEST(VariantToTraceTextTest, OtherTypesAreNamedAsUndefined)
{
    CVariant real, null, shortNumber, byReference;
    V_VT(&real) = VT_R8;
    V_R8(&real) = 1.5;
    V_VT(&null) = VT_NULL;
    V_VT(&shortNumber) = VT_I2;
    V_I2(&shortNumber) = 5;
    LONG referenced = 5;
    V_VT(&byReference) = VT_I4 | VT_BYREF;
    V_I4REF(&byReference) = &referenced;
    for (VARIANT* value : {&real, &null, &shortNumber, &byReference})
        EXPECT_EQ(VariantToTraceText(value), "Data Type not defined for Trace");
}

}  // namespace
