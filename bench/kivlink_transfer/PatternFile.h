#pragma once
// Test files whose bytes come from a seeded generator, so that a copy that is short, shifted
// or stitched together from the wrong pieces does not compare equal to its source.
#include <windows.h>

#include <string>

HRESULT WritePatternFile(const std::wstring& path, ULONGLONG size, unsigned seed);

// Empty when both files hold the same bytes; otherwise what differs, in words.
std::string ContentDifference(const std::wstring& expected, const std::wstring& actual);
