#include "PathComponent.h"

bool IsDotName(std::wstring_view name)
{
    return !name.empty() && name.find_first_not_of(L". ") == std::wstring_view::npos;
}

bool IsPlainName(std::wstring_view name)
{
    if (name.empty() || IsDotName(name))
        return false;
    for (wchar_t c : name) {
        if (c < L' ' || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return false;
    }
    return true;
}
