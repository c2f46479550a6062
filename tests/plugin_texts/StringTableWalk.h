// What a module's string tables hold, read straight from its resources: the languages of its
// blocks and the ids with a text in one language.
#pragma once

#include <windows.h>

#include <set>

// Every language in which the module has at least one string-table block.
std::set<LANGID> StringTableLanguages(HMODULE module);

// Every id with a non-empty text in exactly `language`.
std::set<UINT> StringIdsInLanguage(HMODULE module, LANGID language);
