#include "PhoneCalls.h"

#include "NamedRing.h"

#include <string_view>

CKivString LastPathComponent(const CKivString& path)
{
    std::wstring_view text(path.c_str(), path.length());
    if (!text.empty() && text.back() == L'\\')
        text.remove_suffix(1);
    size_t slash = text.rfind(L'\\');
    if (slash != std::wstring_view::npos)
        text.remove_prefix(slash + 1);
    return CKivString(std::wstring(text).c_str());
}

bool EqualNamesIgnoringCase(const wchar_t* left, const wchar_t* right)
{
    auto fold = [](wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; };
    for (;; ++left, ++right) {
        if (fold(*left) != fold(*right))
            return false;
        if (*left == 0)
            return true;
    }
}
