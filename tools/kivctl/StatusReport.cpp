#include "tools/kivctl/StatusReport.h"

#include <cwchar>

namespace {

constexpr const wchar_t* kUnknown = L"unknown";

std::wstring JsonString(const std::wstring& text)
{
    std::wstring quoted = L"\"";
    for (const wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            quoted += L'\\';
            quoted += c;
        } else if (c < L' ') {
            wchar_t escape[8];
            swprintf(escape, 8, L"\\u%04x", static_cast<unsigned>(c));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + L"\"";
}

std::wstring JsonNumber(const std::optional<long>& value)
{
    return value ? std::to_wstring(*value) : L"null";
}

std::wstring LineNumber(const std::optional<long>& value, const wchar_t* unit)
{
    return value ? std::to_wstring(*value) + unit : kUnknown;
}

}  // namespace

std::wstring FormatStatusLines(const KivctlStatusReport& report)
{
    return L"manufacturer: " + report.manufacturer + L"\nmodel: " + report.model + L"\nIMEI: " + report.imei +
           L"\nKivlink version: " + report.kivlinkVersion.value_or(kUnknown) + L"\ncharge: " +
           LineNumber(report.charge, L"%") + L"\nsignal: " + LineNumber(report.signal, L"") + L"\n";
}

std::wstring FormatStatusJson(const KivctlStatusReport& report)
{
    return L"{\"manufacturer\":" + JsonString(report.manufacturer) + L",\"model\":" + JsonString(report.model) +
           L",\"imei\":" + JsonString(report.imei) + L",\"kivlinkVersion\":" +
           (report.kivlinkVersion ? JsonString(*report.kivlinkVersion) : L"null") + L",\"charge\":" +
           JsonNumber(report.charge) + L",\"signal\":" + JsonNumber(report.signal) + L"}\n";
}
