#include "KivlinkCommandLine.h"

#include <windows.h>

namespace {

// The rest of the command line behind the next "-" or "/", or null.
const wchar_t* NextToken(const wchar_t* text)
{
    for (; text && *text; ++text) {
        if (*text == L'-' || *text == L'/')
            return text + 1;
    }
    return nullptr;
}

}  // namespace

KivlinkCommand ParseKivlinkCommandLine(const wchar_t* commandLine)
{
    for (const wchar_t* token = NextToken(commandLine); token; token = NextToken(token)) {
        if (CompareStringOrdinal(token, -1, L"UnregServer", -1, TRUE) == CSTR_EQUAL)
            return KivlinkCommand::Unregister;
        if (CompareStringOrdinal(token, -1, L"RegServer", -1, TRUE) == CSTR_EQUAL)
            return KivlinkCommand::Register;
    }
    return KivlinkCommand::RunServer;
}
