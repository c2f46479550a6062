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

// The system's search falls back on its own languages when the one asked for is missing;
// the suite's fallback is the neutral table only, so the language is checked first.
HRSRC FindExactly(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language)
{
    LanguageSearch search{language, false};
    EnumResourceLanguagesW(module, type, name, NoteLanguage, reinterpret_cast<LONG_PTR>(&search));
    return search.found ? FindResourceExW(module, type, name, language) : nullptr;
}

enum class Entry { Text, Empty, Missing };

// Entry `id` of the block in `language`: its text, or whether it was empty or missing.
Entry ReadEntry(HMODULE module, UINT id, LANGID language, std::string& text)
{
    const HRSRC found = FindExactly(module, RT_STRING, MAKEINTRESOURCEW(id / kStringsPerBlock + 1), language);
    if (found == nullptr) {
        return Entry::Missing;
    }
    const HGLOBAL loaded = LoadResource(module, found);
    const auto* unit = static_cast<const WCHAR*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (unit == nullptr) {
        return Entry::Text;  // an unloadable block is no text, and no reason to fall back
    }
    const WCHAR* const end = unit + SizeofResource(module, found) / sizeof(WCHAR);
    // Each entry: its length in UTF-16 units, then the units.
    for (UINT skip = id % kStringsPerBlock; skip > 0 && unit < end; --skip) {
        unit += 1 + *unit;
    }
    if (unit >= end || *unit == 0) {
        return Entry::Empty;
    }
    const size_t length = *unit;
    const WCHAR* const characters = unit + 1;
    if (characters + length > end) {
        return Entry::Text;  // a block cut short holds no whole text
    }
    text = tolv::trace::WideToAnsi(characters, length);
    return Entry::Text;
}

}  // namespace

HGLOBAL LoadLanguageResource(HMODULE module, LPCWSTR type, LPCWSTR name, LANGID language)
{
    HRSRC found = FindExactly(module, type, name, language);
    if (found == nullptr) {
        found = FindExactly(module, type, name, kNeutralLanguage);
    }
    return found != nullptr ? LoadResource(module, found) : nullptr;
}

std::string ReadTableString(HMODULE module, UINT id, LANGID language)
{
    std::string text;
    if (module == nullptr) {
        return text;
    }
    if (ReadEntry(module, id, language, text) != Entry::Text && language != kNeutralLanguage) {
        ReadEntry(module, id, kNeutralLanguage, text);
    }
    return text;
}

}  // namespace tolv::resources
