#include "TransferPaths.h"

#include <string>
#include <string_view>

namespace {

bool IsSeparator(wchar_t c, bool slashesToo)
{
    return c == L'\\' || (slashesToo && c == L'/');
}

}  // namespace

SFolderAndName SplitFolderAndName(const wchar_t* path, bool slashesToo)
{
    std::wstring_view text(path ? path : L"");
    size_t cut = std::wstring_view::npos;
    for (size_t i = text.size(); i > 0; --i) {
        if (IsSeparator(text[i - 1], slashesToo)) {
            cut = i;
            break;
        }
    }
    SFolderAndName parts;
    if (cut != std::wstring_view::npos) {
        parts.folder = CKivString(std::wstring(text.substr(0, cut)).c_str());
        parts.name = CKivString(std::wstring(text.substr(cut)).c_str());
    } else if (text.size() >= 2 && text[1] == L':') {
        parts.folder = CKivString(std::wstring(text.substr(0, 2)).append(L"\\").c_str());
        parts.name = CKivString(std::wstring(text.substr(2)).c_str());
    } else {
        parts.name = CKivString(std::wstring(text).c_str());
    }
    return parts;
}

bool EndsWithSeparator(const wchar_t* path, bool slashesToo)
{
    std::wstring_view text(path ? path : L"");
    return !text.empty() && IsSeparator(text.back(), slashesToo);
}

CKivString WithTrailingSeparator(const CKivString& folder)
{
    if (folder.empty() || EndsWithSeparator(folder.c_str(), true))
        return folder;
    return CKivString((std::wstring(folder.c_str()) + L"\\").c_str());
}

CKivString JoinFolderAndName(const CKivString& folder, const CKivString& name)
{
    return CKivString((std::wstring(WithTrailingSeparator(folder).c_str()) + name.c_str()).c_str());
}
