#include "tests/plugin_texts/TextShape.h"

#include <algorithm>
#include <cwctype>
#include <vector>

namespace {

constexpr wchar_t kInsert = L'%';
constexpr wchar_t kLineBreak = L'\n';
constexpr wchar_t kFilterSeparator = L'|';
// printf's flags, width, precision and size prefixes before the conversion letter.
constexpr std::wstring_view kFormatModifiers = L"-+ #0123456789.lhI";

// The insert starting at `start` (at a '%'): "%%", a numbered "%1" (with any "!format!"), or a
// printf conversion with its modifiers.
std::wstring InsertAt(const std::wstring& text, std::size_t start)
{
    std::size_t end = start + 1;
    if (end < text.size() && text[end] == kInsert) {
        return text.substr(start, 2);
    }
    if (end < text.size() && std::iswdigit(text[end])) {
        while (end < text.size() && std::iswdigit(text[end])) {
            ++end;
        }
        if (end < text.size() && text[end] == L'!') {
            const std::size_t close = text.find(L'!', end + 1);
            end = close == std::wstring::npos ? text.size() : close + 1;
        }
        return text.substr(start, end - start);
    }
    while (end < text.size() && kFormatModifiers.find(text[end]) != std::wstring_view::npos) {
        ++end;
    }
    return text.substr(start, std::min(end + 1, text.size()) - start);
}

}  // namespace

std::wstring TextShape(const std::wstring& text)
{
    std::vector<std::wstring> inserts;
    std::size_t lineBreaks = 0;
    std::size_t separators = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == kInsert) {
            inserts.push_back(InsertAt(text, at));
            at += inserts.back().size() - 1;
        } else if (text[at] == kLineBreak) {
            ++lineBreaks;
        } else if (text[at] == kFilterSeparator) {
            ++separators;
        }
    }
    std::sort(inserts.begin(), inserts.end());
    std::wstring shape;
    for (const std::wstring& insert : inserts) {
        shape += insert + L' ';
    }
    return shape + L"line breaks " + std::to_wstring(lineBreaks) + L", separators " + std::to_wstring(separators);
}
