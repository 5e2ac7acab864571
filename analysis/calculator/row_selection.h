#pragma once

// Which rows of a list are selected, as sorted, separate runs of rows: a
// list of millions selected whole is one run, not millions of entries. The
// moves are those of a desktop list: a row alone, a run from an anchor row
// (Shift), one row added or taken out (Ctrl), all of them.

#include <cstdint>
#include <vector>

namespace quellan {

struct RowRun {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    bool operator==(const RowRun&) const = default;
};

class RowSelection {
public:
    void clear() { runs_.clear(); }
    // Only `row`.
    void selectOnly(std::uint32_t row) { runs_.assign(1, RowRun{row, row}); }
    // Only the rows from `anchor` to `row`, either way round.
    void selectSpan(std::uint32_t anchor, std::uint32_t row);
    // `row` in if it was out, out if it was in; the other rows as they were.
    void toggle(std::uint32_t row);

    bool contains(std::uint32_t row) const;
    std::uint64_t count() const;
    // In list order, with a row or more between one run and the next.
    const std::vector<RowRun>& runs() const { return runs_; }

private:
    std::vector<RowRun> runs_;
};

} // namespace quellan
