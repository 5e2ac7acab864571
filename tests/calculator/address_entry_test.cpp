#include "addresses/address_text.h"
#include "calculator/event_steps.h"
#include "calculator/mask_typing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Octets = std::array<std::string, 4>;

// A whole address takes the user's steps; what it could not take is said.
struct EntryCase {
    std::string text;
    std::int32_t slider;
    std::optional<std::size_t> refusedBox;
    std::string status;
};

class EntryTable : public testing::TestWithParam<EntryCase> {};

TEST_P(EntryTable, TypesChecksAndReports) {
    const EntryCase& c = GetParam();
    quellan::WindowState state;
    quellan::windowLoaded(state);
    const quellan::ParsedAddress parsed = quellan::parseAddress(c.text);
    const quellan::AddressEntry entry = quellan::addressEntered(state, parsed);
    EXPECT_EQ(state.octets, parsed.octets);
    EXPECT_EQ(state.sliderValue, c.slider);
    EXPECT_EQ(entry.refusedBox, c.refusedBox);
    EXPECT_EQ(state.statusText, c.status);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Pasted, EntryTable, testing::Values(
    EntryCase{"10.0.0.1", 8, {}, ""},
    EntryCase{"192.168.1.10/26", 26, {}, ""},
    EntryCase{"172.16.5.4 255.255.240.0", 20, {}, ""},
    EntryCase{"192.168.1.10/33", 24, {}, "/33 is not a mask length."},
    EntryCase{"192.168.1.10/0", 24, {}, "The slider's shortest mask is /1; /0 was not applied."},
    EntryCase{"224.0.0.5/24", 0, {}, "Class D addresses have no mask length; /24 was not applied."},
    EntryCase{"10.255.0.1/16", 16, 1, "255 represents a broadcast address."},
    EntryCase{"10.0.300.255/40", 8, 2, "Value is larger than 254. /40 is not a mask length."}));
// clang-format on

TEST(AddressEntry, TheSameAddressAgainKeepsTheUsersMask) {
    quellan::WindowState state;
    quellan::windowLoaded(state);
    quellan::addressEntered(state, quellan::parseAddress("10.0.0.1"));
    quellan::sliderMoved(state, 12);
    quellan::addressEntered(state, quellan::parseAddress("10.0.0.1"));
    EXPECT_EQ(state.sliderValue, 12);
    quellan::addressEntered(state, quellan::parseAddress("10.0.0.2"));
    EXPECT_EQ(state.sliderValue, 8);
}

struct TypingCase {
    std::string keys; // "|" marks a pause: the next key begins a new entry
    std::vector<std::int32_t> lengths;
};

class MaskTypingTable : public testing::TestWithParam<TypingCase> {};

TEST_P(MaskTypingTable, SetsTheLengthsTyped) {
    quellan::MaskTyping typing;
    std::vector<std::int32_t> lengths;
    bool fresh = true;
    for (const char key : GetParam().keys) {
        if (key == '|') {
            fresh = true;
            continue;
        }
        if (const auto length = typing.type(key, fresh))
            lengths.push_back(*length);
        fresh = false;
    }
    EXPECT_EQ(lengths, GetParam().lengths);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Keys, MaskTypingTable, testing::Values(
    TypingCase{"26", {2, 26}},
    TypingCase{"2|6", {2, 6}},
    TypingCase{"33", {3, 3}},
    TypingCase{"32", {3, 32}},
    TypingCase{"08", {8}},
    TypingCase{"0", {}},
    TypingCase{"255.255.240.0", {2, 25, 5, 20}},
    TypingCase{"0.0.0.63", {26}},
    TypingCase{"255.0.255.0", {2, 25, 5}},
    TypingCase{"0.0.0.0", {}},
    TypingCase{"1234567890", {1, 12, 3, 4, 5, 6, 7, 8, 9}},
    TypingCase{"255.255.255.2552", {2, 25, 5, 32, 2}}));
// clang-format on

} // namespace
