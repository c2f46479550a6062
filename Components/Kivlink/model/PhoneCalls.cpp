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
