// The recalculation as a whole, one row a record: the boxes, the slider and
// whether the octets just changed, then the texts the row is about. Every
// run starts from a status text and must clear it.

#include "recalculated.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using quellan::WindowState;

namespace {

using S = WindowState;

struct Shown {
    std::string S::*field;
    std::string text;
};

struct RecalculationCase {
    std::array<std::string, 4> octets;
    std::int32_t slider;
    bool octetsChanged;
    std::vector<Shown> shown;
    // Where the row is about the slider: its position and state afterwards.
    std::optional<std::int32_t> sliderAfter;
    std::optional<bool> sliderEnabled;
};

void PrintTo(const RecalculationCase& c, std::ostream* os) {
    *os << boxes(c.octets) << " at " << c.slider << (c.octetsChanged ? ", octets changed" : "");
}

std::string_view fieldName(std::string S::*field) {
    for (const quellan::DisplayField& display : quellan::kDisplayFields)
        if (display.text == field)
            return display.name;
    return field == &S::sliderToolTip ? "slider tool-tip" : "?";
}

class Recalculation : public testing::TestWithParam<RecalculationCase> {};

TEST_P(Recalculation, WritesEveryField) {
    const RecalculationCase& c = GetParam();
    WindowState state;
    state.octets = c.octets;
    state.sliderValue = c.slider;
    state.bChange = c.octetsChanged;
    state.statusText = "255 represents a broadcast address.";
    quellan::Dumbo(state);
    for (const Shown& shown : c.shown)
        EXPECT_EQ(state.*shown.field, shown.text) << fieldName(shown.field);
    EXPECT_EQ(state.statusText, "");
    if (c.sliderAfter) {
        EXPECT_EQ(state.sliderValue, *c.sliderAfter);
    }
    if (c.sliderEnabled) {
        EXPECT_EQ(state.sliderEnabled, *c.sliderEnabled);
    }
}

// clang-format off
// The address in hexadecimal and binary, its class and the slider's pull
// towards the class default, from a slider at 5.
INSTANTIATE_TEST_SUITE_P(HostAddress, Recalculation, testing::Values(
    RecalculationCase{{"192", "168", "1", "10"}, 5, true, {{&S::lblHexIPAddr, "C0.A8.1.A"}, {&S::lblBinIPAddr, "11000000.10101000.00000001.00001010"}, {&S::lblClass, "C"}, {&S::lblClassfull, "255.255.255.0"}}, 24, true},
    RecalculationCase{{"172", "16", "0", "1"}, 5, true, {{&S::lblHexIPAddr, "AC.10.0.1"}, {&S::lblBinIPAddr, "10101100.00010000.00000000.00000001"}, {&S::lblClass, "B"}, {&S::lblClassfull, "255.255.0.0"}}, 16, true},
    RecalculationCase{{"10", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "A.00.00.00"}, {&S::lblBinIPAddr, "00001010.00000000.00000000.00000000"}, {&S::lblClass, "A"}, {&S::lblClassfull, "255.0.0.0"}}, 8, true},
    RecalculationCase{{"224", "0", "0", "5"}, 5, true, {{&S::lblHexIPAddr, "E0.0.0.5"}, {&S::lblBinIPAddr, "11100000.00000000.00000000.00000101"}, {&S::lblClass, "D"}, {&S::lblClassfull, "255.0.0.0"}}, 0, false},
    RecalculationCase{{"240", "1", "2", "3"}, 5, true, {{&S::lblHexIPAddr, "F0.1.2.3"}, {&S::lblBinIPAddr, "11110000.00000001.00000010.00000011"}, {&S::lblClass, "E"}, {&S::lblClassfull, "255.0.0.0"}}, 0, false},
    RecalculationCase{{"", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "00.00.00.00"}, {&S::lblBinIPAddr, "00000000.00000000.00000000.00000000"}, {&S::lblClass, "A"}, {&S::lblClassfull, "255.0.0.0"}}, 8, true},
    RecalculationCase{{"", "168", "1", "10"}, 5, true, {{&S::lblHexIPAddr, "00.A8.1.A"}, {&S::lblBinIPAddr, "00000000.10101000.00000001.00001010"}, {&S::lblClass, "A"}, {&S::lblClassfull, "255.0.0.0"}}, 8, true},
    RecalculationCase{{"0", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "0.00.00.00"}, {&S::lblBinIPAddr, "00000000.00000000.00000000.00000000"}, {&S::lblClass, "A"}, {&S::lblClassfull, "255.0.0.0"}}, 8, true},
    RecalculationCase{{"007", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "7.00.00.00"}, {&S::lblBinIPAddr, "00000111.00000000.00000000.00000000"}, {&S::lblClass, "A"}, {&S::lblClassfull, "255.0.0.0"}}, 8, true},
    RecalculationCase{{"300", "256", "999", ""}, 5, true, {{&S::lblHexIPAddr, "12C.100.3E7.00"}, {&S::lblBinIPAddr, "00101100.00000000.11100111.00000000"}, {&S::lblClass, "A"}, {&S::lblClassfull, "255.0.0.0"}}, 8, true},
    RecalculationCase{{"256", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "100.00.00.00"}, {&S::lblBinIPAddr, "00000000.00000000.00000000.00000000"}, {&S::lblClass, "A"}, {&S::lblClassfull, "255.0.0.0"}}, 8, true},
    RecalculationCase{{"999", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "3E7.00.00.00"}, {&S::lblBinIPAddr, "11100111.00000000.00000000.00000000"}, {&S::lblClass, "D"}, {&S::lblClassfull, "255.0.0.0"}}, 0, false},
    RecalculationCase{{"127", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "7F.00.00.00"}, {&S::lblBinIPAddr, "01111111.00000000.00000000.00000000"}, {&S::lblClass, "A"}, {&S::lblClassfull, "255.0.0.0"}}, 8, true},
    RecalculationCase{{"128", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "80.00.00.00"}, {&S::lblBinIPAddr, "10000000.00000000.00000000.00000000"}, {&S::lblClass, "B"}, {&S::lblClassfull, "255.255.0.0"}}, 16, true},
    RecalculationCase{{"191", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "BF.00.00.00"}, {&S::lblBinIPAddr, "10111111.00000000.00000000.00000000"}, {&S::lblClass, "B"}, {&S::lblClassfull, "255.255.0.0"}}, 16, true},
    RecalculationCase{{"192", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "C0.00.00.00"}, {&S::lblBinIPAddr, "11000000.00000000.00000000.00000000"}, {&S::lblClass, "C"}, {&S::lblClassfull, "255.255.255.0"}}, 24, true},
    RecalculationCase{{"223", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "DF.00.00.00"}, {&S::lblBinIPAddr, "11011111.00000000.00000000.00000000"}, {&S::lblClass, "C"}, {&S::lblClassfull, "255.255.255.0"}}, 24, true},
    RecalculationCase{{"239", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "EF.00.00.00"}, {&S::lblBinIPAddr, "11101111.00000000.00000000.00000000"}, {&S::lblClass, "D"}, {&S::lblClassfull, "255.0.0.0"}}, 0, false},
    RecalculationCase{{"255", "", "", ""}, 5, true, {{&S::lblHexIPAddr, "FF.00.00.00"}, {&S::lblBinIPAddr, "11111111.00000000.00000000.00000000"}, {&S::lblClass, "E"}, {&S::lblClassfull, "255.0.0.0"}}, 0, false}));

// The mask of each length, from a class A address whose octets did not
// change, so the slider stands.
INSTANTIATE_TEST_SUITE_P(Mask, Recalculation, testing::Values(
    RecalculationCase{{"10", "1", "2", "3"}, 0, false, {{&S::lblBinMask, "00000000.00000000.00000000.00000000"}, {&S::lblMaxHosts, "4294967294"}, {&S::lblMaxNets, "0"}, {&S::lblHexMask, "0.0.0.0"}, {&S::lblNetMask, "0.0.0.0"}}, {}, {}},
    RecalculationCase{{"10", "1", "2", "3"}, 1, false, {{&S::lblBinMask, "10000000.00000000.00000000.00000000"}, {&S::lblMaxHosts, "2147483646"}, {&S::lblMaxNets, "0"}, {&S::lblHexMask, "80.0.0.0"}, {&S::lblNetMask, "128.0.0.0"}}, {}, {}},
    RecalculationCase{{"10", "1", "2", "3"}, 8, false, {{&S::lblBinMask, "11111111.00000000.00000000.00000000"}, {&S::lblMaxHosts, "16777214"}, {&S::lblMaxNets, "254"}, {&S::lblHexMask, "FF.0.0.0"}, {&S::lblNetMask, "255.0.0.0"}}, {}, {}},
    RecalculationCase{{"10", "1", "2", "3"}, 20, false, {{&S::lblBinMask, "11111111.11111111.11110000.00000000"}, {&S::lblMaxHosts, "4094"}, {&S::lblMaxNets, "1048574"}, {&S::lblHexMask, "FF.FF.F0.0"}, {&S::lblNetMask, "255.255.240.0"}}, {}, {}},
    RecalculationCase{{"10", "1", "2", "3"}, 24, false, {{&S::lblBinMask, "11111111.11111111.11111111.00000000"}, {&S::lblMaxHosts, "254"}, {&S::lblMaxNets, "16777214"}, {&S::lblHexMask, "FF.FF.FF.0"}, {&S::lblNetMask, "255.255.255.0"}}, {}, {}},
    RecalculationCase{{"10", "1", "2", "3"}, 26, false, {{&S::lblBinMask, "11111111.11111111.11111111.11000000"}, {&S::lblMaxHosts, "62"}, {&S::lblMaxNets, "67108862"}, {&S::lblHexMask, "FF.FF.FF.C0"}, {&S::lblNetMask, "255.255.255.192"}}, {}, {}},
    RecalculationCase{{"10", "1", "2", "3"}, 31, false, {{&S::lblBinMask, "11111111.11111111.11111111.11111110"}, {&S::lblMaxHosts, "0"}, {&S::lblMaxNets, "2147483646"}, {&S::lblHexMask, "FF.FF.FF.FE"}, {&S::lblNetMask, "255.255.255.254"}}, {}, {}},
    RecalculationCase{{"10", "1", "2", "3"}, 32, false, {{&S::lblBinMask, "11111111.11111111.11111111.11111111"}, {&S::lblMaxHosts, "0"}, {&S::lblMaxNets, "4294967294"}, {&S::lblHexMask, "FF.FF.FF.FF"}, {&S::lblNetMask, "255.255.255.255"}}, {}, {}}));

INSTANTIATE_TEST_SUITE_P(DecimalAddress, Recalculation, testing::Values(
    RecalculationCase{{"172", "16", "5", "4"}, 24, false, {{&S::lbl32Decimal, "2886731012"}}, {}, {}},
    RecalculationCase{{"10", "1", "2", "3"}, 24, false, {{&S::lbl32Decimal, "167838211"}}, {}, {}},
    RecalculationCase{{"255", "255", "255", "255"}, 24, false, {{&S::lbl32Decimal, "4294967295"}}, {}, {}},
    RecalculationCase{{"", "", "", ""}, 24, false, {{&S::lbl32Decimal, "0"}}, {}, {}},
    RecalculationCase{{"0", "0", "0", "0"}, 24, false, {{&S::lbl32Decimal, "0"}}, {}, {}},
    RecalculationCase{{"300", "", "", "1"}, 24, false, {{&S::lbl32Decimal, "738197505"}}, {}, {}}));

INSTANTIATE_TEST_SUITE_P(NetworkRange, Recalculation, testing::Values(
    RecalculationCase{{"192", "168", "1", "10"}, 24, false, {{&S::lblNetNumber, "192.168.1.0"}, {&S::lblBroadcast, "192.168.1.255"}, {&S::lblHosts, "192.168.1.1 - 192.168.1.254"}, {&S::lblMaxHosts, "254"}}, {}, {}},
    RecalculationCase{{"192", "168", "1", "10"}, 26, false, {{&S::lblNetNumber, "192.168.1.0"}, {&S::lblBroadcast, "192.168.1.63"}, {&S::lblHosts, "192.168.1.1 - 192.168.1.62"}, {&S::lblMaxHosts, "62"}}, {}, {}},
    RecalculationCase{{"10", "1", "2", "3"}, 8, false, {{&S::lblNetNumber, "10.0.0.0"}, {&S::lblBroadcast, "10.255.255.255"}, {&S::lblHosts, "10.0.0.1 - 10.255.255.254"}, {&S::lblMaxHosts, "16777214"}}, {}, {}},
    RecalculationCase{{"172", "16", "5", "4"}, 20, false, {{&S::lblNetNumber, "172.16.0.0"}, {&S::lblBroadcast, "172.16.15.255"}, {&S::lblHosts, "172.16.0.1 - 172.16.15.254"}, {&S::lblMaxHosts, "4094"}}, {}, {}},
    RecalculationCase{{"192", "168", "1", "10"}, 31, false, {{&S::lblNetNumber, "192.168.1.10"}, {&S::lblBroadcast, "192.168.1.11"}, {&S::lblHosts, "192.168.1.11 - 192.168.1.10"}, {&S::lblMaxHosts, "0"}}, {}, {}},
    // A single-address mask has no hosts: the count stops at 0.
    RecalculationCase{{"192", "168", "1", "10"}, 32, false, {{&S::lblNetNumber, "192.168.1.10"}, {&S::lblBroadcast, "192.168.1.10"}, {&S::lblHosts, "192.168.1.11 - 192.168.1.9"}, {&S::lblMaxHosts, "0"}}, {}, {}},
    // No mask bits: whatever the address, the whole address space.
    RecalculationCase{{"192", "168", "1", "10"}, 0, false, {{&S::lblNetNumber, "0.0.0.0"}, {&S::lblBroadcast, "255.255.255.255"}, {&S::lblHosts, "0.0.0.1 - 255.255.255.254"}, {&S::lblMaxHosts, "4294967294"}}, {}, {}},
    // Empty boxes count as 0.
    RecalculationCase{{"10", "", "", ""}, 8, false, {{&S::lblNetNumber, "10.0.0.0"}, {&S::lblBroadcast, "10.255.255.255"}, {&S::lblHosts, "10.0.0.1 - 10.255.255.254"}, {&S::lblMaxHosts, "16777214"}}, {}, {}},
    RecalculationCase{{"", "", "", ""}, 8, false, {{&S::lblNetNumber, "0.0.0.0"}, {&S::lblBroadcast, "0.255.255.255"}, {&S::lblHosts, "0.0.0.1 - 0.255.255.254"}, {&S::lblMaxHosts, "16777214"}}, {}, {}},
    // At 32 bits the ends of the range carry into the octets before the
    // last one and wrap at the ends of the address space.
    RecalculationCase{{"10", "0", "0", "0"}, 32, false, {{&S::lblNetNumber, "10.0.0.0"}, {&S::lblBroadcast, "10.0.0.0"}, {&S::lblHosts, "10.0.0.1 - 9.255.255.255"}, {&S::lblMaxHosts, "0"}}, {}, {}},
    RecalculationCase{{"10", "0", "0", ""}, 32, false, {{&S::lblNetNumber, "10.0.0.0"}, {&S::lblBroadcast, "10.0.0.0"}, {&S::lblHosts, "10.0.0.1 - 9.255.255.255"}, {&S::lblMaxHosts, "0"}}, {}, {}},
    RecalculationCase{{"10", "0", "0", "255"}, 32, false, {{&S::lblNetNumber, "10.0.0.255"}, {&S::lblBroadcast, "10.0.0.255"}, {&S::lblHosts, "10.0.1.0 - 10.0.0.254"}, {&S::lblMaxHosts, "0"}}, {}, {}},
    RecalculationCase{{"0", "0", "0", "0"}, 32, false, {{&S::lblNetNumber, "0.0.0.0"}, {&S::lblBroadcast, "0.0.0.0"}, {&S::lblHosts, "0.0.0.1 - 255.255.255.255"}, {&S::lblMaxHosts, "0"}}, {}, {}},
    RecalculationCase{{"127", "255", "255", "255"}, 32, false, {{&S::lblNetNumber, "127.255.255.255"}, {&S::lblBroadcast, "127.255.255.255"}, {&S::lblHosts, "128.0.0.0 - 127.255.255.254"}, {&S::lblMaxHosts, "0"}}, {}, {}},
    RecalculationCase{{"10", "0", "0", "256"}, 32, false, {{&S::lblNetNumber, "10.0.0.0"}, {&S::lblBroadcast, "10.0.0.0"}, {&S::lblHosts, "10.0.0.1 - 9.255.255.255"}, {&S::lblMaxHosts, "0"}}, {}, {}},
    RecalculationCase{{"10", "0", "0", "511"}, 32, false, {{&S::lblNetNumber, "10.0.0.255"}, {&S::lblBroadcast, "10.0.0.255"}, {&S::lblHosts, "10.0.1.0 - 10.0.0.254"}, {&S::lblMaxHosts, "0"}}, {}, {}}));

INSTANTIATE_TEST_SUITE_P(MaskLength, Recalculation, testing::Values(
    RecalculationCase{{"10", "0", "0", "0"}, 24, false, {{&S::lblBits, " 24"}, {&S::sliderToolTip, " 24 bits in mask."}}, {}, {}},
    RecalculationCase{{"10", "0", "0", "0"}, 1, false, {{&S::lblBits, " 1"}, {&S::sliderToolTip, " 1 bits in mask."}}, {}, {}},
    RecalculationCase{{"10", "0", "0", "0"}, 0, false, {{&S::lblBits, " 0"}, {&S::sliderToolTip, " 0 bits in mask."}}, {}, {}},
    RecalculationCase{{"10", "0", "0", "0"}, 32, false, {{&S::lblBits, " 32"}, {&S::sliderToolTip, " 32 bits in mask."}}, {}, {}}));
// clang-format on

// The mask stage alone writes the whole count of addresses; only the last
// stage takes the network and broadcast addresses off it.
TEST(MaskStage, CountsEveryAddressBeforeHostsLoseTwo) {
    const std::pair<std::int32_t, std::string> counts[] = {
        {0, "4294967296"}, {1, "2147483648"}, {8, "16777216"}, {20, "4096"},
        {24, "256"},       {26, "64"},        {31, "2"},       {32, "1"},
    };
    for (const auto& [bits, count] : counts) {
        WindowState state = recalculated({"10", "1", "2", "3"}, bits);
        quellan::renderMask(state);
        EXPECT_EQ(state.lblMaxHosts, count) << bits << " bits";
    }
}

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
