// What "kivctl status" tells about the phone, as lines for a person or one JSON object for a
// script. A value Kivlink could not read stays unknown: the lines say "unknown", the JSON
// object holds null.
#pragma once

#include <optional>
#include <string>

struct KivctlStatusReport {
    std::wstring manufacturer;
    std::wstring model;
    std::wstring imei;
    std::optional<std::wstring> kivlinkVersion;
    std::optional<long> charge;  // per cent
    std::optional<long> signal;
};

// "manufacturer: Nokia" and so on, one line each, every line ended.
std::wstring FormatStatusLines(const KivctlStatusReport& report);
// {"manufacturer":"Nokia",...} on one line, ended. Wide text; standard output writes it as UTF-8.
std::wstring FormatStatusJson(const KivctlStatusReport& report);
