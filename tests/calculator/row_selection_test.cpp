// The selected rows of a list: random Ctrl, Shift and plain moves checked
// against a set of every selected row, then the runs a few moves leave.

#include "calculator/row_selection.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

using quellan::RowRun;
using quellan::RowSelection;

// The set the runs stand for, and whether they are sorted, separate and
// apart (two runs that touch should have been one).
std::set<std::uint32_t> rowsOf(const RowSelection& selection, bool& wellFormed) {
    std::set<std::uint32_t> rows;
    wellFormed = true;
    const RowRun* before = nullptr;
    for (const RowRun& run : selection.runs()) {
        wellFormed = wellFormed && run.first <= run.last &&
                     (before == nullptr || before->last + 1 < run.first);
        for (std::uint32_t row = run.first; row <= run.last; ++row)
            rows.insert(row);
        before = &run;
    }
    return rows;
}

TEST(RowSelection, AgreesWithASetOfRows) {
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::uint32_t> row(0, 40);
    std::uniform_int_distribution<int> move(0, 9);
    for (int session = 0; session < 200; ++session) {
        RowSelection selection;
        std::set<std::uint32_t> expected;
        for (int step = 0; step < 60; ++step) {
            const std::uint32_t r = row(random);
            const int what = move(random);
            if (what == 0) {
                const std::uint32_t anchor = row(random);
                selection.selectSpan(anchor, r);
                expected.clear();
                for (std::uint32_t i = std::min(anchor, r); i <= std::max(anchor, r); ++i)
                    expected.insert(i);
            } else if (what == 1) {
                selection.selectOnly(r);
                expected = {r};
            } else if (!expected.erase(r)) {
                selection.toggle(r);
                expected.insert(r);
            } else {
                selection.toggle(r);
            }
            bool wellFormed = false;
            ASSERT_EQ(rowsOf(selection, wellFormed), expected) << "session " << session;
            ASSERT_TRUE(wellFormed) << "session " << session << ", step " << step;
            ASSERT_EQ(selection.count(), expected.size());
            for (std::uint32_t i = 0; i <= 41; ++i)
                ASSERT_EQ(selection.contains(i), expected.count(i) == 1) << i;
        }
    }
}

TEST(RowSelection, RunsAtTheEdgesOfTheRowNumbers) {
    constexpr std::uint32_t kLast = 16777215;
    RowSelection selection;
    selection.selectSpan(kLast, 0);
    EXPECT_EQ(selection.count(), 16777216U);
    selection.toggle(kLast);
    selection.toggle(0);
    selection.toggle(8);
    EXPECT_EQ(selection.runs(), (std::vector<RowRun>{{1, 7}, {9, kLast - 1}}));
    selection.toggle(8);
    EXPECT_EQ(selection.runs(), (std::vector<RowRun>{{1, kLast - 1}}));
}

} // namespace
