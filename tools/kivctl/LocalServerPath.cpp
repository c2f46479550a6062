#include "tools/kivctl/LocalServerPath.h"

#include <cwctype>

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

// ".exe" (any letter case) at `at`, followed by the end or a blank.
bool EndsProgramName(const std::wstring& command, size_t at)
{
    static constexpr wchar_t kSuffix[] = L".exe";
    for (size_t i = 0; i < 4; ++i) {
        if (std::towlower(command[at + i]) != kSuffix[i]) {
            return false;
        }
    }
    return at + 4 == command.size() || IsBlank(command[at + 4]);
}

}  // namespace

std::wstring LocalServerExecutable(const std::wstring& command)
{
    size_t start = 0;
    while (start < command.size() && IsBlank(command[start])) {
        ++start;
    }
    if (start < command.size() && command[start] == L'"') {
        const size_t close = command.find(L'"', start + 1);
        return command.substr(start + 1, close == std::wstring::npos ? std::wstring::npos : close - start - 1);
    }
    // Unquoted: a path may hold blanks, so it ends after ".exe", else at a blank before a
    // switch.
    size_t end = command.size();
    for (size_t i = start; i + 4 <= command.size(); ++i) {
        if (EndsProgramName(command, i)) {
            end = i + 4;
            break;
        }
    }
    if (end == command.size()) {
        for (size_t i = start; i + 1 < command.size(); ++i) {
            if (IsBlank(command[i]) && (command[i + 1] == L'/' || command[i + 1] == L'-')) {
                end = i;
                break;
            }
        }
    }
    while (end > start && IsBlank(command[end - 1])) {
        --end;
    }
    return command.substr(start, end - start);
}
