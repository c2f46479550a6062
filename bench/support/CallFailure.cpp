#include "CallFailure.h"

#include "AsciiText.h"

#include "com/ErrorInfo.h"

#include <cstdio>

std::string DescribeFailure(HRESULT hr, IUnknown* object, REFIID iid)
{
    char code[16];
    std::snprintf(code, sizeof(code), "0x%08lX", static_cast<unsigned long>(hr));
    std::string text = code;
    tolv::com::ErrorDetails details;
    if (object && tolv::com::TakeErrorInfoFrom(object, iid, details) == S_OK && !details.description.empty()) {
        std::string message = Narrow(details.description.c_str());
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
            message.pop_back();
        text += " \"" + message + "\"";
    }
    return text;
}

std::string DescribeWin32Failure(DWORD error)
{
    char code[32];
    std::snprintf(code, sizeof(code), "Windows error %lu", static_cast<unsigned long>(error));
    return code;
}
