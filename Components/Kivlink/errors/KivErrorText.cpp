#include "Components/Kivlink/errors/KivErrorText.h"

#include <cstdio>

#include "Components/Kivlink/errors/KivStringTable.h"
#include "Components/Kivlink/errors/KivlinkStringIds.h"
#include "KivlinkLib.h"
#include "trace/TolvTrace.h"

namespace {

struct ErrorString {
    HRESULT code;
    UINT id;
};

constexpr ErrorString kErrorStrings[] = {
    {KIV_E_SCQIRESPONSETIMEOUT, IDS_SCQI_RESPONSE_TIMEOUT},
    {KIV_E_FILEEXISTSALREADY, IDS_FILE_EXISTS_ALREADY},
    {KIV_E_FILENOTFOUND, IDS_FILE_NOT_FOUND},
    {KIV_E_NOCONNECTION, IDS_PHONE_NOT_CONNECTED},
    {KIV_E_DRIVENOTFOUND, IDS_DRIVE_NOT_FOUND},
    {KIV_E_FOLDERNOTFOUND, IDS_FOLDER_NOT_FOUND},
    {KIV_E_DEVICENOTFOUND, IDS_FOLDER_NOT_FOUND},
    {KIV_E_REQUEST_PANIC, IDS_TOO_MANY_REQUESTS},
    {KIV_E_INVALIDSCQIPOINTER, IDS_INVALID_SCQI_POINTER},
};

// The size of the buffer the system's message is read into, in characters.
constexpr DWORD kSystemMessageCapacity = 260;

bool ReadSystemMessage(HRESULT hr, LANGID language, std::string& text)
{
    char buffer[kSystemMessageCapacity];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(hr), language, buffer, kSystemMessageCapacity, nullptr);
    if (length == 0) {
        return false;
    }
    text.assign(buffer, length);
    return true;
}

}  // namespace

UINT KivErrorStringId(HRESULT hr)
{
    for (const ErrorString& entry : kErrorStrings) {
        if (entry.code == hr) {
            return entry.id;
        }
    }
    return 0;
}

std::string KivFormatWithCode(const std::string& pattern, HRESULT hr)
{
    char code[16];
    std::snprintf(code, sizeof code, "%lx", static_cast<unsigned long>(hr));
    std::string result;
    result.reserve(pattern.size() + sizeof code);
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            if (pattern[i + 1] == 'x') {
                result += code;
                ++i;
                continue;
            }
            if (pattern[i + 1] == '%') {
                result += '%';
                ++i;
                continue;
            }
        }
        result += pattern[i];
    }
    return result;
}

std::string KivErrorText(HRESULT hr, LANGID language, HMODULE module, CTolvTrace* trace)
{
    if (SUCCEEDED(hr)) {
        return {};
    }
    std::string text;
    if (const UINT id = KivErrorStringId(hr)) {
        text = KivLoadString(module, language, id);
    } else if (!ReadSystemMessage(hr, language, text)) {
        text = KivFormatWithCode(KivLoadString(module, language, IDS_UNKNOWN_ERROR), hr);
    }
    if (trace != nullptr) {
        trace->Format(2, "Error desciption for 0x%08X: %s", static_cast<unsigned>(hr), text.c_str());
    }
    return text;
}
