// What "kivctl status" prints, for a person and for a script.
#include "tools/kivctl/StatusReport.h"

#include <gtest/gtest.h>

TEST(KivctlStatusReport, UnknownValuesAreSaidSoInLinesAndNullInJson)
{
    KivctlStatusReport report;
    report.manufacturer = L"Vostrel";
    report.model = L"Tamlo";
    report.imei = L"354812013456789";
    report.signal = 60;
    EXPECT_EQ(FormatStatusLines(report), L"manufacturer: Vostrel\nmodel: Tamlo\nIMEI: 354812013456789\n"
                                         L"Kivlink version: unknown\ncharge: unknown\nsignal: 60\n");
    EXPECT_EQ(FormatStatusJson(report),
              L"{\"manufacturer\":\"Vostrel\",\"model\":\"Tamlo\",\"imei\":\"354812013456789\","
              L"\"kivlinkVersion\":null,\"charge\":null,\"signal\":60}\n");
}

TEST(KivctlStatusReport, JsonStringsEscapeQuotesBackslashesAndControlCharacters)
{
    KivctlStatusReport report;
    report.manufacturer = L"A \"B\" \\ C\tD";
    report.kivlinkVersion = L"1.0.0.1";
    report.charge = 0;
    const std::wstring json = FormatStatusJson(report);
    EXPECT_NE(json.find(L"\"manufacturer\":\"A \\\"B\\\" \\\\ C\\u0009D\""), std::wstring::npos) << json;
    EXPECT_NE(json.find(L"\"kivlinkVersion\":\"1.0.0.1\",\"charge\":0,"), std::wstring::npos) << json;
    EXPECT_EQ(json.find(L'\t'), std::wstring::npos);
}
