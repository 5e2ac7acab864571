#include "recalculated.h"

#include <gtest/gtest.h>

namespace {

struct MaskCase {
    std::int32_t bits;
    std::string binary;
    std::string totalAddresses; // what the mask stage writes before hosts lose two
    std::string maxHosts;
    std::string maxNets;
    std::string hex;
    std::string dotted;
};

void PrintTo(const MaskCase& c, std::ostream* os) {
    *os << c.bits << " bits";
}

class Mask : public testing::TestWithParam<MaskCase> {};

TEST_P(Mask, RendersMaskAndCounts) {
    const MaskCase& c = GetParam();
    // A class A address without an octet change leaves the slider where it is.
    quellan::WindowState state = recalculated({"10", "1", "2", "3"}, c.bits);
    EXPECT_EQ(state.lblBinMask, c.binary);
    EXPECT_EQ(state.lblMaxHosts, c.maxHosts);
    EXPECT_EQ(state.lblMaxNets, c.maxNets);
    EXPECT_EQ(state.lblHexMask, c.hex);
    EXPECT_EQ(state.lblNetMask, c.dotted);

    quellan::renderMask(state);
    EXPECT_EQ(state.lblMaxHosts, c.totalAddresses);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Lengths, Mask,
    testing::Values(
        MaskCase{0, "00000000.00000000.00000000.00000000", "4294967296", "4294967294", "0", "0.0.0.0", "0.0.0.0"},
        MaskCase{1, "10000000.00000000.00000000.00000000", "2147483648", "2147483646", "0", "80.0.0.0", "128.0.0.0"},
        MaskCase{8, "11111111.00000000.00000000.00000000", "16777216", "16777214", "254", "FF.0.0.0", "255.0.0.0"},
        MaskCase{20, "11111111.11111111.11110000.00000000", "4096", "4094", "1048574", "FF.FF.F0.0", "255.255.240.0"},
        MaskCase{24, "11111111.11111111.11111111.00000000", "256", "254", "16777214", "FF.FF.FF.0", "255.255.255.0"},
        MaskCase{26, "11111111.11111111.11111111.11000000", "64", "62", "67108862", "FF.FF.FF.C0", "255.255.255.192"},
        MaskCase{31, "11111111.11111111.11111111.11111110", "2", "0", "2147483646", "FF.FF.FF.FE", "255.255.255.254"},
        MaskCase{32, "11111111.11111111.11111111.11111111", "1", "0", "4294967294", "FF.FF.FF.FF", "255.255.255.255"}));
// clang-format on

struct DecimalCase {
    std::array<std::string, 4> octets;
    std::string decimal;
};

void PrintTo(const DecimalCase& c, std::ostream* os) {
    *os << boxes(c.octets);
}

class DecimalAddress : public testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalAddress, ReadsTheBinaryAddressAsOneNumber) {
    EXPECT_EQ(recalculated(GetParam().octets, 24).lbl32Decimal, GetParam().decimal);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Addresses, DecimalAddress,
                         testing::Values(DecimalCase{{"172", "16", "5", "4"}, "2886731012"},
                                         DecimalCase{{"10", "1", "2", "3"}, "167838211"},
                                         DecimalCase{{"255", "255", "255", "255"}, "4294967295"},
                                         DecimalCase{{"", "", "", ""}, "0"},
                                         DecimalCase{{"0", "0", "0", "0"}, "0"},
                                         DecimalCase{{"300", "", "", "1"}, "738197505"}));
// clang-format on

} // namespace
