#include "resources/MessageFormat.h"

#include <windows.h>

#include "resources/ResourceOwners.h"

namespace tolv::resources {

namespace {

constexpr char kInsertMark = '%';
constexpr int kDecimalBase = 10;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

int HighestInsert(const std::string& pattern)
{
    int highest = 0;
    for (size_t at = 0; at < pattern.size(); ++at) {
        if (pattern[at] != kInsertMark || at + 1 >= pattern.size()) {
            continue;
        }
        if (!IsDigit(pattern[at + 1])) {
            ++at;  // "%%", "%n", "%!" and the like: one escaped character
            continue;
        }
        int number = 0;
        while (at + 1 < pattern.size() && IsDigit(pattern[at + 1])) {
            number = number * kDecimalBase + (pattern[at + 1] - '0');
            ++at;
        }
        if (number > highest) {
            highest = number;
        }
    }
    return highest;
}

std::string FormatInserts(const std::string& pattern, const std::vector<const char*>& arguments)
{
    if (pattern.empty() || static_cast<size_t>(HighestInsert(pattern)) > arguments.size()) {
        return {};
    }
    std::vector<DWORD_PTR> inserts;
    for (const char* argument : arguments) {
        inserts.push_back(reinterpret_cast<DWORD_PTR>(argument));
    }
    inserts.push_back(0);  // FormatMessage wants an array even when no insert is used
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER, pattern.c_str(), 0,
        0, reinterpret_cast<char*>(&buffer), 0, reinterpret_cast<va_list*>(inserts.data()));
    const unique_local<char> owned(buffer);
    if (length == 0 || buffer == nullptr) {
        return {};
    }
    return std::string(buffer, length);
}

}  // namespace tolv::resources
