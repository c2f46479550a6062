#pragma once
// The filter of folder listings: "*" matches any run of characters (also none), "?" exactly
// one, every other character itself, with letter case significant. An empty pattern
// matches every name; a non-empty one never matches an empty name.
bool WildcardMatch(const wchar_t* pattern, const wchar_t* name);
