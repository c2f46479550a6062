#include "ListingAnswer.h"

#include <algorithm>
#include <string>

size_t CountListedEntries(std::wstring_view answer)
{
    return static_cast<size_t>(std::count(answer.begin(), answer.end(), L','));
}

bool EndsWithEntry(std::wstring_view answer, std::wstring_view name)
{
    const std::wstring ending = L"\\" + std::wstring(name) + L",";
    return answer.ends_with(ending);
}
