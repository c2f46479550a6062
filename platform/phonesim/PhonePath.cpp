#include "platform/phonesim/PhonePath.h"

#include <string_view>

#include <windows.h>

namespace phonesim {

std::wstring PhonePath::Text() const
{
    std::wstring text{drive, L':', L'\\'};
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            text += L'\\';
        }
        text += names[i];
    }
    return text;
}

std::wstring PhonePath::OwnName() const
{
    return names.empty() ? std::wstring{drive, L':'} : names.back();
}

PhonePath PhonePath::Parent() const
{
    PhonePath parent = *this;
    if (!parent.names.empty()) {
        parent.names.pop_back();
    }
    return parent;
}

PhonePath PhonePath::Child(const std::wstring& name) const
{
    PhonePath child = *this;
    child.names.push_back(name);
    return child;
}

std::wstring PhonePath::Relative() const
{
    std::wstring text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) {
            text += L'\\';
        }
        text += names[i];
    }
    return text;
}

bool IsValidEntryName(const std::wstring& name)
{
    if (name.empty() || name.size() > 255 || name == L"." || name == L"..") {
        return false;
    }
    for (const wchar_t c : name) {
        if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) {
            return false;
        }
    }
    return name.back() != L'.' && name.back() != L' ';
}

bool ParsePhonePath(const std::wstring& text, PhonePath& path)
{
    if (text.size() < 2 || text[1] != L':') {
        return false;
    }
    const wchar_t letter = static_cast<wchar_t>(towupper(text[0]));
    if (letter < L'A' || letter > L'Z') {
        return false;
    }
    PhonePath result;
    result.drive = letter;
    if (text.size() > 2) {
        if (text[2] != L'\\') {
            return false;
        }
        std::wstring rest = text.substr(3);
        if (!rest.empty() && rest.back() == L'\\') {
            rest.pop_back();
        }
        size_t start = 0;
        while (!rest.empty() && start <= rest.size()) {
            const size_t end = rest.find(L'\\', start);
            const std::wstring name = rest.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
            if (!IsValidEntryName(name)) {
                return false;
            }
            result.names.push_back(name);
            if (end == std::wstring::npos) {
                break;
            }
            start = end + 1;
        }
    }
    path = std::move(result);
    return true;
}

bool ResolveNewName(const std::wstring& newName, const PhonePath& folder, PhonePath& target)
{
    if (newName.find(L'\\') != std::wstring::npos || newName.find(L':') != std::wstring::npos) {
        PhonePath parsed;
        if (!ParsePhonePath(newName, parsed) || parsed.IsRoot()) {
            return false;
        }
        target = std::move(parsed);
        return true;
    }
    if (!IsValidEntryName(newName)) {
        return false;
    }
    target = folder.Child(newName);
    return true;
}

bool SameName(const std::wstring& left, const std::wstring& right)
{
    return CompareStringOrdinal(left.c_str(), static_cast<int>(left.size()), right.c_str(),
                                static_cast<int>(right.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace phonesim
