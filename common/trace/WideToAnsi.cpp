#include "trace/WideToAnsi.h"

#include <windows.h>
#include <climits>
#include <cwchar>

namespace tolv::trace {

std::string WideToAnsi(const wchar_t* text, size_t length)
{
    if (!text || length == 0)
        return {};
    const int wideLength = length > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
    const int needed = WideCharToMultiByte(CP_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return {};
    std::string result(static_cast<size_t>(needed), '\0');
    const int written = WideCharToMultiByte(CP_ACP, 0, text, wideLength, result.data(), needed, nullptr, nullptr);
    result.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return result;
}

std::string WideToAnsi(const wchar_t* text)
{
    return text ? WideToAnsi(text, std::wcslen(text)) : std::string();
}

}  // namespace tolv::trace
