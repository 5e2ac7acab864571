#include "recalculated.h"

#include <gtest/gtest.h>

namespace {

struct RangeCase {
    std::array<std::string, 4> octets;
    std::int32_t bits;
    std::string network;
    std::string broadcast;
    std::string hosts;
    std::string maxHosts;
};

void PrintTo(const RangeCase& c, std::ostream* os) {
    *os << boxes(c.octets) << "/" << c.bits;
}

class NetworkRange : public testing::TestWithParam<RangeCase> {};

TEST_P(NetworkRange, DerivesNetworkBroadcastAndUsableRange) {
    const RangeCase& c = GetParam();
    const quellan::WindowState state = recalculated(c.octets, c.bits);
    EXPECT_EQ(state.lblNetNumber, c.network);
    EXPECT_EQ(state.lblBroadcast, c.broadcast);
    EXPECT_EQ(state.lblHosts, c.hosts);
    EXPECT_EQ(state.lblMaxHosts, c.maxHosts);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Examples, NetworkRange,
    testing::Values(
        RangeCase{{"192", "168", "1", "10"}, 24, "192.168.1.0", "192.168.1.255", "192.168.1.1 - 192.168.1.254", "254"},
        RangeCase{{"192", "168", "1", "10"}, 26, "192.168.1.0", "192.168.1.63", "192.168.1.1 - 192.168.1.62", "62"},
        RangeCase{{"10", "1", "2", "3"}, 8, "10.0.0.0", "10.255.255.255", "10.0.0.1 - 10.255.255.254", "16777214"},
        RangeCase{{"172", "16", "5", "4"}, 20, "172.16.0.0", "172.16.15.255", "172.16.0.1 - 172.16.15.254", "4094"},
        RangeCase{{"192", "168", "1", "10"}, 31, "192.168.1.10", "192.168.1.11", "192.168.1.11 - 192.168.1.10", "0"},
        // A single-address mask has no hosts: the count stops at 0.
        RangeCase{{"192", "168", "1", "10"}, 32, "192.168.1.10", "192.168.1.10", "192.168.1.11 - 192.168.1.9", "0"},
        // No mask bits: whatever the address, the whole address space.
        RangeCase{{"192", "168", "1", "10"}, 0, "0.0.0.0", "255.255.255.255", "0.0.0.1 - 255.255.255.254", "4294967294"},
        // Empty boxes count as 0.
        RangeCase{{"10", "", "", ""}, 8, "10.0.0.0", "10.255.255.255", "10.0.0.1 - 10.255.255.254", "16777214"},
        RangeCase{{"", "", "", ""}, 8, "0.0.0.0", "0.255.255.255", "0.0.0.1 - 0.255.255.254", "16777214"},
        // At 32 bits the ends of the range carry into the octets before the
        // last one and wrap at the ends of the address space.
        RangeCase{{"10", "0", "0", "0"}, 32, "10.0.0.0", "10.0.0.0", "10.0.0.1 - 9.255.255.255", "0"},
        RangeCase{{"10", "0", "0", ""}, 32, "10.0.0.0", "10.0.0.0", "10.0.0.1 - 9.255.255.255", "0"},
        RangeCase{{"10", "0", "0", "255"}, 32, "10.0.0.255", "10.0.0.255", "10.0.1.0 - 10.0.0.254", "0"},
        RangeCase{{"0", "0", "0", "0"}, 32, "0.0.0.0", "0.0.0.0", "0.0.0.1 - 255.255.255.255", "0"},
        RangeCase{{"127", "255", "255", "255"}, 32, "127.255.255.255", "127.255.255.255", "128.0.0.0 - 127.255.255.254", "0"},
        RangeCase{{"10", "0", "0", "256"}, 32, "10.0.0.0", "10.0.0.0", "10.0.0.1 - 9.255.255.255", "0"},
        RangeCase{{"10", "0", "0", "511"}, 32, "10.0.0.255", "10.0.0.255", "10.0.1.0 - 10.0.0.254", "0"}));
// clang-format on

struct TailCase {
    std::int32_t bits;
    std::string bitsText;
    std::string toolTip;
};

void PrintTo(const TailCase& c, std::ostream* os) {
    *os << c.bits << " bits";
}

class RecalculationTail : public testing::TestWithParam<TailCase> {};

TEST_P(RecalculationTail, ShowsMaskLengthAndClearsStatus) {
    quellan::WindowState state;
    state.octets = {"10", "0", "0", "0"};
    state.sliderValue = GetParam().bits;
    state.statusText = "255 represents a broadcast address.";
    quellan::Dumbo(state);
    EXPECT_EQ(state.lblBits, GetParam().bitsText);
    EXPECT_EQ(state.sliderToolTip, GetParam().toolTip);
    EXPECT_EQ(state.statusText, "");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lengths, RecalculationTail,
                         testing::Values(TailCase{24, " 24", " 24 bits in mask."},
                                         TailCase{1, " 1", " 1 bits in mask."},
                                         TailCase{0, " 0", " 0 bits in mask."},
                                         TailCase{32, " 32", " 32 bits in mask."}));
// clang-format on

} // namespace
