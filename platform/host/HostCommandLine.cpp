#include "platform/host/HostCommandLine.h"

#include <cwchar>

#include "platform/host/HostProtocol.h"

namespace host {

namespace {

// "/RegServer", "-regserver" and "RegServer" alike, as COM servers accept them.
bool IsServerWord(const std::wstring& argument, const wchar_t* word)
{
    const wchar_t* text = argument.c_str();
    if (*text == L'/' || *text == L'-') {
        ++text;
    }
    return _wcsicmp(text, word) == 0;
}

bool ReadMilliseconds(const std::wstring& text, unsigned long& value)
{
    if (text.empty() || text.find_first_not_of(L"0123456789") != std::wstring::npos) {
        return false;
    }
    wchar_t* end = nullptr;
    value = std::wcstoul(text.c_str(), &end, 10);
    return *end == L'\0' && value > 0;
}

}  // namespace

bool ParseHostCommandLine(const std::vector<std::wstring>& arguments, HostCommandLine& parsed, std::wstring& bad)
{
    parsed = HostCommandLine{};
    parsed.pressTimeoutMs = kDefaultPressTimeoutMs;
    bad.clear();
    if (arguments.size() == 1 && IsServerWord(arguments[0], L"RegServer")) {
        parsed.command = HostCommand::Register;
        return true;
    }
    if (arguments.size() == 1 && IsServerWord(arguments[0], L"UnregServer")) {
        parsed.command = HostCommand::Unregister;
        return true;
    }
    for (size_t index = 0; index < arguments.size(); ++index) {
        const std::wstring& option = arguments[index];
        const bool known = option == kPageOption || option == kPressOption || option == kPressTimeoutOption;
        if (!known) {
            bad = option;
            return false;
        }
        if (index + 1 == arguments.size() || arguments[index + 1].empty()) {
            return false;
        }
        const std::wstring& value = arguments[++index];
        if (option == kPageOption) {
            parsed.firstPagePlugIn = value;
        } else if (option == kPressOption) {
            parsed.pressPlugIn = value;
        } else if (!ReadMilliseconds(value, parsed.pressTimeoutMs)) {
            bad = value;
            return false;
        }
    }
    return true;
}

}  // namespace host
