#include "Components/Kivlink/errors/KivStringTable.h"

namespace {

struct LanguageProbe {
    LANGID wanted;
    bool found;
};

BOOL CALLBACK NoteLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR context)
{
    auto* probe = reinterpret_cast<LanguageProbe*>(context);
    if (language == probe->wanted) {
        probe->found = true;
        return FALSE;
    }
    return TRUE;
}

// FindResourceEx falls back to the neutral or another language when the asked one is
// missing; a text in a language the caller did not ask for must not be answered.
bool HasBlockInLanguage(HMODULE module, LPCWSTR block, LANGID language)
{
    LanguageProbe probe{language, false};
    EnumResourceLanguagesW(module, RT_STRING, block, NoteLanguage, reinterpret_cast<LONG_PTR>(&probe));
    return probe.found;
}

}  // namespace

std::wstring KivLoadStringW(HMODULE module, LANGID language, UINT id)
{
    const LPCWSTR block = MAKEINTRESOURCEW(id / 16 + 1);
    if (!HasBlockInLanguage(module, block, language)) {
        return {};
    }
    const HRSRC found = FindResourceExW(module, RT_STRING, block, language);
    if (found == nullptr) {
        return {};
    }
    const HGLOBAL loaded = LoadResource(module, found);
    const auto* entry = loaded ? static_cast<const WCHAR*>(LockResource(loaded)) : nullptr;
    if (entry == nullptr) {
        return {};
    }
    // Each entry is its length followed by that many units; the walk stays inside the block
    // even if the block is damaged.
    const WCHAR* const end = entry + SizeofResource(module, found) / sizeof(WCHAR);
    for (UINT skip = id % 16; skip > 0; --skip) {
        if (entry >= end) {
            return {};
        }
        entry += 1 + *entry;
    }
    if (entry >= end || *entry > end - entry - 1) {
        return {};
    }
    return std::wstring(entry + 1, *entry);
}

std::string KivLoadString(HMODULE module, LANGID language, UINT id)
{
    return KivWideToAnsi(KivLoadStringW(module, language, id));
}

std::string KivWideToAnsi(const std::wstring& text)
{
    if (text.empty()) {
        return {};
    }
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return {};
    }
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring KivAnsiToWide(const std::string& text)
{
    if (text.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) {
        return {};
    }
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}
