// The server's text results: every value followed by a comma, the last one too, with no
// quoting. A value that itself holds a comma cannot be told apart in general; where the shape
// of the values is known (paths, key=value pairs) the pieces are joined back.
#pragma once

#include <string>
#include <utility>
#include <vector>

// "C:,E:," -> {"C:", "E:"}. Empty pieces are dropped; a missing final comma is tolerated.
std::vector<std::wstring> SplitCommaList(const std::wstring& text);

// A list of phone paths: a piece that does not begin with a drive letter and colon belongs to
// the path before it ("C:\a,b.txt," is one entry).
std::vector<std::wstring> SplitPathList(const std::wstring& text);

// "Label=Phone memory,Capacity=134217728," -> {{"Label", "Phone memory"}, {"Capacity", ...}}.
// A piece without "=" belongs to the value before it.
std::vector<std::pair<std::wstring, std::wstring>> SplitKeyValueList(const std::wstring& text);

// The pairs on one line, "key=value key=value".
std::wstring JoinKeyValues(const std::vector<std::pair<std::wstring, std::wstring>>& pairs);
