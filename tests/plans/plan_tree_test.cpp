#include "networks/operand_text.h"
#include "plans/plan_tree.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using namespace quellan;

Block net(std::string_view text) {
    const ParsedNetwork parsed = parseNetwork(text);
    EXPECT_EQ(parsed.reason, "") << text;
    return parsed.block;
}

struct BarCase {
    std::string_view subnet;
    // Empty at the network's edge.
    std::string_view before;
    std::string_view after;
    std::int32_t length;
    bool first;
    bool last;
};

void PrintTo(const BarCase& c, std::ostream* os) {
    *os << c.subnet << " at /" << c.length;
}

class TreeBars : public testing::TestWithParam<BarCase> {};

TEST_P(TreeBars, BeginAndEndWithTheBlocksSubnets) {
    const BarCase& c = GetParam();
    const Block before = c.before.empty() ? Block{} : net(c.before);
    const Block after = c.after.empty() ? Block{} : net(c.after);
    const TreeBar bar = treeBar(net(c.subnet), c.before.empty() ? nullptr : &before,
                                c.after.empty() ? nullptr : &after, c.length);
    EXPECT_EQ(bar, (TreeBar{c.first, c.last}));
}

// 10.0.0.0/24 as /26, /27, /27 and /25; 8000::/1 the last half of ::/0.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, TreeBars, testing::Values(
    BarCase{"10.0.0.0/26", "", "10.0.0.64/27", 24, true, false},
    BarCase{"10.0.0.0/26", "", "10.0.0.64/27", 25, true, false},
    BarCase{"10.0.0.64/27", "10.0.0.0/26", "10.0.0.96/27", 24, false, false},
    BarCase{"10.0.0.64/27", "10.0.0.0/26", "10.0.0.96/27", 25, false, false},
    BarCase{"10.0.0.64/27", "10.0.0.0/26", "10.0.0.96/27", 26, true, false},
    BarCase{"10.0.0.96/27", "10.0.0.64/27", "10.0.0.128/25", 24, false, false},
    BarCase{"10.0.0.96/27", "10.0.0.64/27", "10.0.0.128/25", 25, false, true},
    BarCase{"10.0.0.96/27", "10.0.0.64/27", "10.0.0.128/25", 26, false, true},
    BarCase{"10.0.0.128/25", "10.0.0.96/27", "", 24, false, true},
    BarCase{"10.0.0.128/25", "10.0.0.96/27", "", 25, true, true},
    BarCase{"8000::/1", "::/1", "", 0, false, true},
    BarCase{"::/128", "", "::1/128", 127, true, false},
    BarCase{"::1/128", "::/128", "::2/127", 126, false, false},
    BarCase{"ffff:ffff:ffff:ffff:ffff:ffff:ffff:fffe/128", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:fffc/127",
            "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff/128", 126, false, false}));
// clang-format on

} // namespace
