#include "platform/pageframe/FrameCommandLine.h"

#include <objbase.h>

#include "platform/pageframe/PageFrameProtocol.h"

namespace pageframe {

bool ParseFrameCommandLine(const std::vector<std::wstring>& arguments, FrameCommandLine& parsed, std::wstring& bad)
{
    parsed = FrameCommandLine{};
    bad.clear();
    for (const std::wstring& argument : arguments) {
        if (argument == kSystemFrameOption) {
            parsed.systemFrame = true;
            continue;
        }
        CLSID clsid{};
        // Only the braced form, read as text alone: a ProgID would make the frame depend on what is
        // registered, and an unregistered class is reported when it is created.
        if (argument.empty() || argument.front() != L'{' || FAILED(IIDFromString(argument.c_str(), &clsid))) {
            bad = argument;
            return false;
        }
        parsed.pages.push_back(clsid);
    }
    return !parsed.pages.empty();
}

}  // namespace pageframe
