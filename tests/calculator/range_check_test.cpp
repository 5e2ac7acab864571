#include "calculator/recalculation.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kEarlier = "earlier message";

struct CheckCase {
    std::string input;
    bool accepted;
    std::string status; // the status text afterwards; kEarlier when untouched
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << '"' << c.input.substr(0, 24) << '"';
}

class RangeCheckTable : public testing::TestWithParam<CheckCase> {};

TEST_P(RangeCheckTable, AcceptsOrSaysWhy) {
    const CheckCase& c = GetParam();
    quellan::WindowState state;
    state.statusText = kEarlier;
    const quellan::WindowState before = state;
    const std::string input = c.input;

    EXPECT_EQ(quellan::RangeCheck(state, input), c.accepted);
    EXPECT_EQ(state.statusText, c.status);
    EXPECT_EQ(input, c.input);
    // Only the status text may change.
    state.statusText = kEarlier;
    EXPECT_EQ(state, before);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    BoxTexts, RangeCheckTable,
    testing::Values(CheckCase{"", true, kEarlier}, CheckCase{"0", true, kEarlier},
                    CheckCase{"000", true, kEarlier}, CheckCase{"1", true, kEarlier},
                    CheckCase{"254", true, kEarlier}, CheckCase{" 12", true, kEarlier},
                    CheckCase{"255", false, "255 represents a broadcast address."},
                    CheckCase{"256", false, "Value is larger than 254."},
                    CheckCase{"999", false, "Value is larger than 254."}));
// clang-format on

// Texts no masked box can hold, as a caller may pass them.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    AnyText, RangeCheckTable,
    testing::Values(CheckCase{"-1", false, "You may not use negative numbers."},
                    CheckCase{"-0.4", true, kEarlier},                  // rounds to 0
                    CheckCase{"254.5", true, kEarlier},                 // half to even: 254
                    CheckCase{"255.5", false, "Value is larger than 254."}, // 256
                    CheckCase{"254.6", false, "255 represents a broadcast address."},
                    CheckCase{"1 2", true, kEarlier},                   // blanks skipped: 12
                    CheckCase{"2 5 5", false, "255 represents a broadcast address."},
                    CheckCase{"12abc", true, kEarlier},                 // leading number counts
                    CheckCase{"   ", true, kEarlier},                   // blanks only: empty
                    CheckCase{"99999999999999999999", false, "Value is larger than 254."},
                    CheckCase{"-99999999999999999999", false, "You may not use negative numbers."},
                    CheckCase{"32768", false, "Value is larger than 254."},
                    CheckCase{"-32769", false, "You may not use negative numbers."},
                    // No number at all: refused, with the value it reads as.
                    CheckCase{"abc", false, "0 is not a valid input."},
                    CheckCase{"-", false, "0 is not a valid input."},
                    CheckCase{".", false, "0 is not a valid input."}));
// clang-format on

} // namespace
