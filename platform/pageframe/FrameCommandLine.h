// The frame's command line: "[--system] {CLSID} [{CLSID} ...]", the pages in tab order.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace pageframe {

struct FrameCommandLine {
    bool systemFrame = false;
    std::vector<CLSID> pages;
};

// False, with the offending argument in `bad`, for an unknown option, a text that is not a
// class identifier, or no page at all.
bool ParseFrameCommandLine(const std::vector<std::wstring>& arguments, FrameCommandLine& parsed, std::wstring& bad);

}  // namespace pageframe
