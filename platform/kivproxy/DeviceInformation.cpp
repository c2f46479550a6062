#include "platform/kivproxy/DeviceInformation.h"

#include <cwchar>

namespace kivproxy {

namespace {

constexpr wchar_t kSeparator = L',';
constexpr wchar_t kAssignment = L'=';
constexpr int kDecimal = 10;

// A per-cent level, or kUnknownLevel for an empty or non-numeric text.
long LevelOf(std::wstring_view value)
{
    if (value.empty()) {
        return DeviceInformation::kUnknownLevel;
    }
    const std::wstring text(value);
    wchar_t* end = nullptr;
    const long level = std::wcstol(text.c_str(), &end, kDecimal);
    return end != nullptr && *end == L'\0' ? level : DeviceInformation::kUnknownLevel;
}

}  // namespace

DeviceInformation ParseDeviceInformation(std::wstring_view text)
{
    DeviceInformation information;
    while (!text.empty()) {
        const size_t end = text.find(kSeparator);
        const std::wstring_view field = text.substr(0, end);
        const size_t assignment = field.find(kAssignment);
        if (assignment != std::wstring_view::npos) {
            const std::wstring_view key = field.substr(0, assignment);
            const std::wstring_view value = field.substr(assignment + 1);
            if (key == L"manufacturer") {
                information.manufacturer = value;
            } else if (key == L"model") {
                information.model = value;
            } else if (key == L"charge") {
                information.charge = LevelOf(value);
            } else if (key == L"signal") {
                information.signal = LevelOf(value);
            } else if (key == L"IMEI") {
                information.imei = value;
            }
        }
        if (end == std::wstring_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return information;
}

}  // namespace kivproxy
