#include "KivlinkCommandLine.h"
#include "core/NameComparison.h"

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
        if (EqualOrdinalIgnoringCase(token, L"UnregServer"))
            return KivlinkCommand::Unregister;
        if (EqualOrdinalIgnoringCase(token, L"RegServer"))
            return KivlinkCommand::Register;
    }
    return KivlinkCommand::RunServer;
}
