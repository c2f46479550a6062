#pragma once
// What IKivVolume2::ListEntries answers: each entry's phone path followed by a comma, the
// last one too.
#include <string_view>

size_t CountListedEntries(std::wstring_view answer);
// Whether the last entry of the answer is named `name` (its path ends with "\name").
bool EndsWithEntry(std::wstring_view answer, std::wstring_view name);
