#include "recalculated.h"

#include <gtest/gtest.h>

using quellan::WindowState;

namespace {

struct HostCase {
    std::array<std::string, 4> octets;
    std::string hex;
    std::string binary;
    std::string letter;
    std::string classful;
    std::int32_t slider; // after the run, starting from 5 with the octets just changed
    bool enabled;
};

void PrintTo(const HostCase& c, std::ostream* os) {
    *os << boxes(c.octets);
}

class HostAddress : public testing::TestWithParam<HostCase> {};

TEST_P(HostAddress, RendersAddressAndClass) {
    const HostCase& c = GetParam();
    const WindowState state = recalculated(c.octets, 5, true);
    EXPECT_EQ(state.lblHexIPAddr, c.hex);
    EXPECT_EQ(state.lblBinIPAddr, c.binary);
    EXPECT_EQ(state.lblClass, c.letter);
    EXPECT_EQ(state.lblClassfull, c.classful);
    EXPECT_EQ(state.sliderValue, c.slider);
    EXPECT_EQ(state.sliderEnabled, c.enabled);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    WorkedExamplesAndEdges, HostAddress,
    testing::Values(
        HostCase{{"192", "168", "1", "10"}, "C0.A8.1.A", "11000000.10101000.00000001.00001010", "C", "255.255.255.0", 24, true},
        HostCase{{"172", "16", "0", "1"}, "AC.10.0.1", "10101100.00010000.00000000.00000001", "B", "255.255.0.0", 16, true},
        HostCase{{"10", "", "", ""}, "A.00.00.00", "00001010.00000000.00000000.00000000", "A", "255.0.0.0", 8, true},
        HostCase{{"224", "0", "0", "5"}, "E0.0.0.5", "11100000.00000000.00000000.00000101", "D", "255.0.0.0", 0, false},
        HostCase{{"240", "1", "2", "3"}, "F0.1.2.3", "11110000.00000001.00000010.00000011", "E", "255.0.0.0", 0, false},
        HostCase{{"", "", "", ""}, "00.00.00.00", "00000000.00000000.00000000.00000000", "A", "255.0.0.0", 8, true},
        HostCase{{"", "168", "1", "10"}, "00.A8.1.A", "00000000.10101000.00000001.00001010", "A", "255.0.0.0", 8, true},
        HostCase{{"0", "", "", ""}, "0.00.00.00", "00000000.00000000.00000000.00000000", "A", "255.0.0.0", 8, true},
        HostCase{{"007", "", "", ""}, "7.00.00.00", "00000111.00000000.00000000.00000000", "A", "255.0.0.0", 8, true},
        HostCase{{"300", "256", "999", ""}, "12C.100.3E7.00", "00101100.00000000.11100111.00000000", "A", "255.0.0.0", 8, true},
        HostCase{{"256", "", "", ""}, "100.00.00.00", "00000000.00000000.00000000.00000000", "A", "255.0.0.0", 8, true},
        HostCase{{"999", "", "", ""}, "3E7.00.00.00", "11100111.00000000.00000000.00000000", "D", "255.0.0.0", 0, false},
        HostCase{{"127", "", "", ""}, "7F.00.00.00", "01111111.00000000.00000000.00000000", "A", "255.0.0.0", 8, true},
        HostCase{{"128", "", "", ""}, "80.00.00.00", "10000000.00000000.00000000.00000000", "B", "255.255.0.0", 16, true},
        HostCase{{"191", "", "", ""}, "BF.00.00.00", "10111111.00000000.00000000.00000000", "B", "255.255.0.0", 16, true},
        HostCase{{"192", "", "", ""}, "C0.00.00.00", "11000000.00000000.00000000.00000000", "C", "255.255.255.0", 24, true},
        HostCase{{"223", "", "", ""}, "DF.00.00.00", "11011111.00000000.00000000.00000000", "C", "255.255.255.0", 24, true},
        HostCase{{"239", "", "", ""}, "EF.00.00.00", "11101111.00000000.00000000.00000000", "D", "255.0.0.0", 0, false},
        HostCase{{"255", "", "", ""}, "FF.00.00.00", "11111111.00000000.00000000.00000000", "E", "255.0.0.0", 0, false}));
// clang-format on

TEST(HostAddressCoupling, ClassABCWithOctetsChangedSnapsSliderAndRemembersDefault) {
    const WindowState state = recalculated({"172", "16", "0", "1"}, 29, true);
    EXPECT_EQ(state.sliderValue, 16);
    EXPECT_EQ(state.intMaskBits, 16);
    EXPECT_FALSE(state.bChange);
}

TEST(HostAddressCoupling, ClassABCAfterSliderMoveKeepsPositionAndDefault) {
    WindowState state;
    state.octets = {"10", "1", "2", "3"};
    state.intMaskBits = 24;
    state.sliderValue = 29;
    state.sliderEnabled = false;
    quellan::renderHostAddress(state);
    EXPECT_EQ(state.sliderValue, 29);
    EXPECT_TRUE(state.sliderEnabled);
    EXPECT_EQ(state.intMaskBits, 24);
    EXPECT_FALSE(state.bChange);
}

TEST(HostAddressCoupling, ClassDEDisablesSliderWhateverBChangeAndKeepsVariables) {
    for (const bool changed : {false, true}) {
        WindowState state;
        state.octets = {"230", "1", "1", "1"};
        state.intMaskBits = 16;
        state.bChange = changed;
        state.sliderValue = 20;
        quellan::renderHostAddress(state);
        EXPECT_EQ(state.sliderValue, 0);
        EXPECT_FALSE(state.sliderEnabled);
        EXPECT_EQ(state.intMaskBits, 16);
        EXPECT_EQ(state.bChange, changed);
    }
}

struct BitsCase {
    std::string octet;
    std::string bits;
};

void PrintTo(const BitsCase& c, std::ostream* os) {
    *os << '"' << c.octet << '"';
}

class Bin2BitStrTable : public testing::TestWithParam<BitsCase> {};

TEST_P(Bin2BitStrTable, GivesLowByteMostSignificantFirst) {
    EXPECT_EQ(quellan::Bin2BitStr(GetParam().octet), GetParam().bits);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Octets, Bin2BitStrTable,
                         testing::Values(BitsCase{"0", "00000000"}, BitsCase{"1", "00000001"},
                                         BitsCase{"128", "10000000"}, BitsCase{"10", "00001010"},
                                         BitsCase{"255", "11111111"}, BitsCase{"256", "00000000"},
                                         BitsCase{"300", "00101100"}, BitsCase{"999", "11100111"},
                                         BitsCase{"-5", "11111011"}, BitsCase{"2.5", "00000010"},
                                         BitsCase{"3.5", "00000100"}));
// clang-format on

TEST(Bin2BitStr, LeavesItsArgumentAndRefusesNonNumbers) {
    const std::string octet = "12";
    EXPECT_EQ(quellan::Bin2BitStr(octet), "00001100");
    EXPECT_EQ(octet, "12");
    EXPECT_THROW(quellan::Bin2BitStr("1x"), quellan::ConversionError);
}

} // namespace
