#include "plugins/tunepane/Mp3Selection.h"

#include <windows.h>

#include <algorithm>

namespace tolv::tunepane {

namespace {

bool EqualIgnoringCase(const std::wstring& first, const std::wstring& second)
{
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, first.c_str(), static_cast<int>(first.size()),
                          second.c_str(), static_cast<int>(second.size())) == CSTR_EQUAL;
}

}  // namespace

bool IsSameRow(const Mp3Row& first, const Mp3Row& second)
{
    return EqualIgnoringCase(first.directory, second.directory) && EqualIgnoringCase(first.name, second.name);
}

bool CMp3Selection::Contains(const Mp3Row& row, size_t except) const
{
    for (size_t index = 0; index < m_rows.size(); ++index) {
        if (index != except && IsSameRow(m_rows[index], row)) {
            return true;
        }
    }
    return false;
}

bool CMp3Selection::Append(Mp3Row row)
{
    if (Contains(row)) {
        return false;
    }
    m_rows.push_back(std::move(row));
    return true;
}

bool CMp3Selection::Replace(size_t index, Mp3Row row)
{
    if (index >= m_rows.size() || Contains(row, index)) {
        return false;
    }
    m_rows[index] = std::move(row);
    return true;
}

void CMp3Selection::Remove(std::vector<size_t> indexes)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (auto index = indexes.rbegin(); index != indexes.rend(); ++index) {
        if (*index < m_rows.size()) {
            m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(*index));
        }
    }
}

}  // namespace tolv::tunepane
