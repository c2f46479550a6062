#include "tools/kivctl/ResultText.h"

namespace {

// Every piece between commas, empty ones included, so that callers can rejoin exactly.
std::vector<std::wstring> RawPieces(const std::wstring& text)
{
    std::vector<std::wstring> pieces;
    size_t start = 0;
    while (start < text.size()) {
        const size_t comma = text.find(L',', start);
        if (comma == std::wstring::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return pieces;
}

bool BeginsWithDrive(const std::wstring& piece)
{
    if (piece.size() < 2 || piece[1] != L':') {
        return false;
    }
    const wchar_t letter = piece[0];
    return (letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z');
}

}  // namespace

std::vector<std::wstring> SplitCommaList(const std::wstring& text)
{
    std::vector<std::wstring> values;
    for (std::wstring& piece : RawPieces(text)) {
        if (!piece.empty()) {
            values.push_back(std::move(piece));
        }
    }
    return values;
}

std::vector<std::wstring> SplitPathList(const std::wstring& text)
{
    std::vector<std::wstring> paths;
    for (std::wstring& piece : RawPieces(text)) {
        if (!paths.empty() && !BeginsWithDrive(piece)) {
            paths.back() += L',';
            paths.back() += piece;
        } else {
            paths.push_back(std::move(piece));
        }
    }
    std::vector<std::wstring> result;
    for (std::wstring& path : paths) {
        if (!path.empty()) {
            result.push_back(std::move(path));
        }
    }
    return result;
}

std::vector<std::pair<std::wstring, std::wstring>> SplitKeyValueList(const std::wstring& text)
{
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    for (const std::wstring& piece : RawPieces(text)) {
        const size_t equals = piece.find(L'=');
        if (equals == std::wstring::npos || equals == 0) {
            if (!pairs.empty()) {
                pairs.back().second += L',';
                pairs.back().second += piece;
            }
            continue;
        }
        pairs.emplace_back(piece.substr(0, equals), piece.substr(equals + 1));
    }
    return pairs;
}

std::wstring JoinKeyValues(const std::vector<std::pair<std::wstring, std::wstring>>& pairs)
{
    std::wstring line;
    for (const auto& [key, value] : pairs) {
        if (!line.empty()) {
            line += L' ';
        }
        line += key;
        line += L'=';
        line += value;
    }
    return line;
}
