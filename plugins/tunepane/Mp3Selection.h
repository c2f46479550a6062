#pragma once
// The page's selection list: the rows in list order, with the rule that no row may name the
// same folder or file twice (directory and name compared by the user's collation, ignoring case).
//
// Threads: none of its own and no lock; its owner (the page) guards it.
#include <cstddef>
#include <vector>

#include "plugins/tunepane/Mp3Settings.h"

namespace tolv::tunepane {

// Whether two rows name the same folder or file.
bool IsSameRow(const Mp3Row& first, const Mp3Row& second);

class CMp3Selection {
public:
    const std::vector<Mp3Row>& Rows() const noexcept { return m_rows; }
    void Assign(std::vector<Mp3Row> rows) { m_rows = std::move(rows); }

    // Whether a row other than `except` names the same folder or file as `row`.
    bool Contains(const Mp3Row& row, size_t except = kNoRow) const;
    // Appends `row` unless it is there already; false when refused.
    bool Append(Mp3Row row);
    // Puts `row` in place of row `index` unless another row has it already; false when refused.
    bool Replace(size_t index, Mp3Row row);
    // Removes the rows at `indexes` (any order, repeats allowed); later rows move up.
    void Remove(std::vector<size_t> indexes);

    static constexpr size_t kNoRow = static_cast<size_t>(-1);

private:
    std::vector<Mp3Row> m_rows;
};

}  // namespace tolv::tunepane
