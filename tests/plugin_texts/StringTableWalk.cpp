#include "tests/plugin_texts/StringTableWalk.h"

#include <vector>

#include "resources/StringTable.h"

namespace {

// A string-table block holds 16 texts: block (id / 16) + 1.
constexpr UINT kStringsPerBlock = 16;

BOOL CALLBACK NoteBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR blocks)
{
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<UINT>*>(blocks)->push_back(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
    }
    return TRUE;
}

BOOL CALLBACK NoteLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages)
{
    reinterpret_cast<std::set<LANGID>*>(languages)->insert(language);
    return TRUE;
}

std::vector<UINT> Blocks(HMODULE module)
{
    std::vector<UINT> blocks;
    EnumResourceNamesW(module, RT_STRING, NoteBlock, reinterpret_cast<LONG_PTR>(&blocks));
    return blocks;
}

}  // namespace

std::set<LANGID> StringTableLanguages(HMODULE module)
{
    std::set<LANGID> languages;
    for (const UINT block : Blocks(module)) {
        EnumResourceLanguagesW(module, RT_STRING, MAKEINTRESOURCEW(block), NoteLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
    }
    return languages;
}

std::set<UINT> StringIdsInLanguage(HMODULE module, LANGID language)
{
    std::set<UINT> ids;
    for (const UINT block : Blocks(module)) {
        const UINT first = (block - 1) * kStringsPerBlock;
        for (UINT id = first; id < first + kStringsPerBlock; ++id) {
            if (!tolv::resources::ReadExactTableEntry(module, language, id).empty()) {
                ids.insert(id);
            }
        }
    }
    return ids;
}
