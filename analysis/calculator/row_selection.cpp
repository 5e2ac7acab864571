#include "calculator/row_selection.h"

#include <algorithm>

namespace quellan {

namespace {

// The first run that ends at or after `row`.
template <typename Runs> auto runFrom(Runs& runs, std::uint32_t row) {
    return std::lower_bound(runs.begin(), runs.end(), row,
                            [](const RowRun& run, std::uint32_t r) { return run.last < r; });
}

} // namespace

void RowSelection::selectSpan(std::uint32_t anchor, std::uint32_t row) {
    runs_.assign(1, RowRun{std::min(anchor, row), std::max(anchor, row)});
}

void RowSelection::toggle(std::uint32_t row) {
    auto at = runFrom(runs_, row);
    if (at != runs_.end() && at->first <= row) {
        // Taken out of its run: the run shrinks, splits in two or goes.
        const RowRun run = *at;
        if (run.first == run.last) {
            runs_.erase(at);
        } else if (row == run.first) {
            at->first = row + 1;
        } else if (row == run.last) {
            at->last = row - 1;
        } else {
            at->last = row - 1;
            runs_.insert(at + 1, RowRun{row + 1, run.last});
        }
        return;
    }
    // Added: it joins a run that ends just before it and one that starts
    // just after it, or stands alone between them.
    const bool joinsBefore = at != runs_.begin() && std::prev(at)->last + 1 == row;
    const bool joinsAfter = at != runs_.end() && at->first == row + 1;
    if (joinsBefore && joinsAfter) {
        std::prev(at)->last = at->last;
        runs_.erase(at);
    } else if (joinsBefore) {
        std::prev(at)->last = row;
    } else if (joinsAfter) {
        at->first = row;
    } else {
        runs_.insert(at, RowRun{row, row});
    }
}

bool RowSelection::contains(std::uint32_t row) const {
    const auto at = runFrom(runs_, row);
    return at != runs_.end() && at->first <= row;
}

std::uint64_t RowSelection::count() const {
    std::uint64_t rows = 0;
    for (const RowRun& run : runs_)
        rows += std::uint64_t{run.last} - run.first + 1;
    return rows;
}

} // namespace quellan
