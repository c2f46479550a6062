#include "resources/StringTable.h"

#include "trace/WideToAnsi.h"

namespace tolv::resources {

namespace {

constexpr LANGID kNeutralLanguage = 0;
// A string-table block holds 16 texts: block (id / 16) + 1, entry id % 16.
constexpr UINT kStringsPerBlock = 16;

struct LanguageSearch {
    LANGID wanted;
    bool found;
};

BOOL CALLBACK NoteLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR search)
{
    auto* state = reinterpret_cast<LanguageSearch*>(search);
    if (language == state->wanted) {
        state->found = true;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool HasResourceInLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language)
{
    LanguageSearch search{language, false};
    EnumResourceLanguagesW(module, type, name, NoteLanguage, reinterpret_cast<LONG_PTR>(&search));
    return search.found;
}

HGLOBAL LoadLanguageResource(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language)
{
    if (!HasResourceInLanguage(module, type, name, language)) {
        language = kNeutralLanguage;
        if (!HasResourceInLanguage(module, type, name, language)) {
            return nullptr;
        }
    }
    const HRSRC found = FindResourceExW(module, type, name, language);
    return found != nullptr ? LoadResource(module, found) : nullptr;
}

std::wstring ReadExactTableEntry(HMODULE module, LANGID language, UINT id)
{
    const LPCWSTR block = MAKEINTRESOURCEW(id / kStringsPerBlock + 1);
    if (!HasResourceInLanguage(module, RT_STRING, block, language)) {
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
    for (UINT skip = id % kStringsPerBlock; skip > 0; --skip) {
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

std::string ReadTableString(HMODULE module, UINT id, LANGID language)
{
    if (module == nullptr) {
        return {};
    }
    std::wstring text = ReadExactTableEntry(module, language, id);
    if (text.empty() && language != kNeutralLanguage) {
        text = ReadExactTableEntry(module, kNeutralLanguage, id);
    }
    return tolv::trace::WideToAnsi(text.data(), text.size());
}

}  // namespace tolv::resources
