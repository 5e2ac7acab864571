#include "calculator/event_steps.h"
#include "recalculated.h"

#include <gtest/gtest.h>

#include <vector>

using quellan::WindowState;

namespace {

WindowState loadedWindow() {
    WindowState state;
    quellan::windowLoaded(state);
    return state;
}

void typeInto(WindowState& state, std::size_t box, const std::string& digits) {
    std::string text;
    for (const char digit : digits) {
        text.push_back(digit);
        quellan::octetChanged(state, box, text);
    }
}

void typeAddress(WindowState& state, const std::array<std::string, 4>& octets) {
    for (std::size_t box = 0; box < octets.size(); ++box)
        typeInto(state, box, octets[box]);
}

TEST(WindowLoad, SetsBChangeAndComputesNothing) {
    WindowState state = loadedWindow();
    WindowState initial;
    EXPECT_TRUE(state.bChange);
    state.bChange = false;
    EXPECT_EQ(state, initial);
    EXPECT_EQ(initial.statusText, "Enter an IP address above.");
    EXPECT_EQ(initial.sliderValue, 1);
    EXPECT_TRUE(initial.sliderEnabled);
}

TEST(Typing, EveryDigitRecalculatesAndSnapsTheSlider) {
    WindowState state = loadedWindow();
    std::vector<std::int32_t> positions;
    for (const std::string text : {"1", "19", "192"}) {
        ASSERT_TRUE(quellan::octetChanged(state, 0, text));
        positions.push_back(state.sliderValue);
        EXPECT_EQ(state.statusText, "");
    }
    EXPECT_EQ(positions, (std::vector<std::int32_t>{8, 8, 24}));
    EXPECT_EQ(state.intMaskBits, 24);
    EXPECT_EQ(state.lblHexIPAddr, "C0.00.00.00");
}

TEST(Typing, AnUnchangedTextIsARefusedKeystrokeAndDoesNothing) {
    WindowState state = loadedWindow();
    typeAddress(state, {"10", "1", "2", "3"});
    quellan::sliderMoved(state, 30);
    const WindowState before = state;
    EXPECT_FALSE(quellan::octetChanged(state, 3, "3"));
    EXPECT_EQ(state, before);
}

TEST(Typing, AnUnreadableOctetIsReportedAndTheWindowCarriesOn) {
    WindowState state = loadedWindow();
    typeInto(state, 0, "10");
    EXPECT_TRUE(quellan::octetChanged(state, 1, "4x"));
    EXPECT_EQ(state.statusText, "4x is not a valid input.");
    EXPECT_EQ(state.lblHexIPAddr, "A.00.00.00");
    EXPECT_TRUE(quellan::octetChanged(state, 1, "4"));
    EXPECT_EQ(state.statusText, "");
    EXPECT_EQ(state.lblHexIPAddr, "A.4.00.00");
}

TEST(Typing, AnUnreadableOctetHoldingNulIsReportedInFull) {
    WindowState state = loadedWindow();
    const std::string text("5\0x", 3);
    quellan::octetChanged(state, 0, text);
    EXPECT_EQ(state.statusText, text + " is not a valid input.");
}

TEST(SliderChoice, SurvivesRecalculationsUntilAnOctetChanges) {
    WindowState state = loadedWindow();
    typeAddress(state, {"192", "168", "1", "10"});
    ASSERT_EQ(state.sliderValue, 24);

    quellan::sliderMoved(state, 20);
    EXPECT_EQ(state.sliderValue, 20);
    EXPECT_EQ(state.lblNetMask, "255.255.240.0");
    EXPECT_EQ(state.lblBits, " 20");

    for (std::size_t box = 0; box < 4; ++box)
        EXPECT_TRUE(quellan::octetFocusLost(state, box));
    quellan::sliderMoved(state, 26);
    EXPECT_EQ(state.sliderValue, 26);
    EXPECT_EQ(state.lblBroadcast, "192.168.1.63");

    typeInto(state, 3, "11");
    EXPECT_EQ(state.sliderValue, 24);
    EXPECT_EQ(state.lblBroadcast, "192.168.1.255");
}

TEST(SliderChoice, UserPositionsStayWithinTheTrack) {
    WindowState state = loadedWindow();
    typeAddress(state, {"10", "", "", ""});
    quellan::sliderMoved(state, 40);
    EXPECT_EQ(state.sliderValue, 32);
    quellan::sliderMoved(state, -3);
    EXPECT_EQ(state.sliderValue, 1);
    quellan::sliderMoved(state, 0);
    EXPECT_EQ(state.sliderValue, 1);
}

struct DefaultCase {
    std::array<std::string, 4> octets;
    std::int32_t defaultBits;
};

void PrintTo(const DefaultCase& c, std::ostream* os) {
    *os << boxes(c.octets);
}

class DefaultMaskButton : public testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultMaskButton, RestoresTheClassDefaultAfterASliderMove) {
    WindowState state = loadedWindow();
    typeAddress(state, GetParam().octets);
    quellan::sliderMoved(state, 30);
    state.statusText = "Value is larger than 254.";

    quellan::defaultMaskClicked(state);
    const std::string bits = " " + std::to_string(GetParam().defaultBits);
    EXPECT_EQ(state.sliderValue, GetParam().defaultBits);
    EXPECT_EQ(state.lblBits, bits);
    EXPECT_EQ(state.sliderToolTip, bits + " bits in mask.");
    EXPECT_EQ(state.statusText, "");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Classes, DefaultMaskButton,
                         testing::Values(DefaultCase{{"10", "1", "2", "3"}, 8},
                                         DefaultCase{{"172", "16", "5", "4"}, 16},
                                         DefaultCase{{"192", "168", "1", "10"}, 24}));
// clang-format on

TEST(ClassDE, DisablesTheSliderAtZeroAndKeepsTheLastDefault) {
    WindowState state = loadedWindow();
    typeAddress(state, {"172", "16", "", ""});
    ASSERT_EQ(state.intMaskBits, 16);

    quellan::octetChanged(state, 0, "224");
    EXPECT_EQ(state.sliderValue, 0);
    EXPECT_FALSE(state.sliderEnabled);
    EXPECT_EQ(state.intMaskBits, 16);
    EXPECT_TRUE(state.bChange);
    EXPECT_EQ(state.lblBits, " 0");
    EXPECT_EQ(state.lblNetNumber, "0.0.0.0");
    EXPECT_EQ(state.lblMaxNets, "0");

    // A disabled slider cannot be moved by the user.
    const WindowState before = state;
    quellan::sliderMoved(state, 12);
    EXPECT_EQ(state, before);

    // The button writes the last default, and the recalculation puts 0 back.
    state.statusText = "255 represents a broadcast address.";
    quellan::defaultMaskClicked(state);
    EXPECT_EQ(state.sliderValue, 0);
    EXPECT_FALSE(state.sliderEnabled);
    EXPECT_EQ(state.statusText, "");

    quellan::octetChanged(state, 0, "192");
    EXPECT_EQ(state.sliderValue, 24);
    EXPECT_TRUE(state.sliderEnabled);
    EXPECT_EQ(state.intMaskBits, 24);
}

TEST(Refusal, MessageStaysUntilTheNextRecalculation) {
    WindowState state = loadedWindow();
    typeAddress(state, {"10", "255", "", ""});
    EXPECT_TRUE(quellan::octetFocusLost(state, 0));
    EXPECT_FALSE(quellan::octetFocusLost(state, 1));
    EXPECT_EQ(state.statusText, "255 represents a broadcast address.");
    EXPECT_TRUE(quellan::octetFocusLost(state, 2));
    EXPECT_EQ(state.statusText, "255 represents a broadcast address.");

    quellan::sliderMoved(state, 9);
    EXPECT_EQ(state.statusText, "");
}

} // namespace
