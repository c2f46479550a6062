#include "WildcardMatch.h"

bool WildcardMatch(const wchar_t* pattern, const wchar_t* name)
{
    if (!pattern || !*pattern)
        return true;
    if (!name || !*name)
        return false;
    // On a mismatch, the last "*" takes one more character of the name and matching resumes.
    const wchar_t* star = nullptr;
    const wchar_t* resume = nullptr;
    while (*name) {
        if (*pattern == L'*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == L'?' || *pattern == *name) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == L'*')
        ++pattern;
    return *pattern == 0;
}
