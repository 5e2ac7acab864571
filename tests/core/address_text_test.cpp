#include "address_text.h"
#include "event_steps.h"
#include "mask_typing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Octets = std::array<std::string, 4>;
constexpr std::int32_t kNoMask = -1;

struct ParseCase {
    std::string text;
    Octets octets; // all empty: no address
    std::int32_t maskBits;
    std::string reason;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '"' << c.text.substr(0, 40) << '"';
}

class ParseTable : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseTable, ReadsOrSaysWhy) {
    const ParseCase& c = GetParam();
    const quellan::ParsedAddress parsed = quellan::parseAddress(c.text);
    EXPECT_EQ(parsed.isAddress, !c.octets[0].empty());
    EXPECT_EQ(parsed.octets, c.octets);
    EXPECT_EQ(parsed.maskBits.value_or(kNoMask), c.maskBits);
    EXPECT_EQ(parsed.reason, c.reason);
}

const Octets k10001{"10", "0", "0", "1"};
const Octets kC{"192", "168", "1", "10"};
const std::string kNone = "Not an IPv4 address.";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Accepted, ParseTable, testing::Values(
    ParseCase{"10.0.0.1", k10001, kNoMask, ""},
    ParseCase{" \t10.0.0.1\r\n", k10001, kNoMask, ""},
    ParseCase{"010.000.0.001", {"010", "000", "0", "001"}, kNoMask, ""},
    ParseCase{"999.0.0.1", {"999", "0", "0", "1"}, kNoMask, ""},   // a box holds it; the check refuses it
    ParseCase{"192.168.1.10/26", kC, 26, ""},
    ParseCase{"192.168.1.10 / 26\n", kC, 26, ""},
    ParseCase{"192.168.1.10/0", kC, 0, ""},
    ParseCase{"192.168.1.10/32", kC, 32, ""},
    ParseCase{"192.168.1.10/255.255.255.192", kC, 26, ""},
    ParseCase{"192.168.1.10 255.255.255.192", kC, 26, ""},
    ParseCase{"192.168.1.10\t\t255.255.255.192", kC, 26, ""},
    ParseCase{"192.168.1.10 0.0.0.63", kC, 26, ""},            // wildcard
    ParseCase{"192.168.1.10/0.0.0.63", kC, 26, ""},
    ParseCase{"192.168.1.10 255.255.255.255", kC, 32, ""},      // all ones: a mask, not a wildcard
    ParseCase{"192.168.1.10 0.0.0.0", kC, 0, ""},
    ParseCase{"192.168.1.10 128.0.0.0", kC, 1, ""},
    ParseCase{"192.168.1.10 0.255.255.255", kC, 8, ""}));

INSTANTIATE_TEST_SUITE_P(MaskRefused, ParseTable, testing::Values(
    ParseCase{"192.168.1.10/33", kC, kNoMask, "/33 is not a mask length."},
    ParseCase{"192.168.1.10/", kC, kNoMask, "/ is not a mask length."},
    ParseCase{"192.168.1.10/x", kC, kNoMask, "/x is not a mask length."},
    ParseCase{"192.168.1.10/99999999999999999999", kC, kNoMask, "/999999999999999... is not a mask length."},
    ParseCase{"192.168.1.10 255.0.255.0", kC, kNoMask, "255.0.255.0 is not a network mask."},
    ParseCase{"192.168.1.10/255.255.256.0", kC, kNoMask, "255.255.256.0 is not a network mask."},
    ParseCase{"192.168.1.10 255.255.0", kC, kNoMask, "255.255.0 is not a network mask."},
    ParseCase{"192.168.1.10 via\x01", kC, kNoMask, "via? is not a network mask."}));

INSTANTIATE_TEST_SUITE_P(NoAddress, ParseTable, testing::Values(
    ParseCase{"", {}, kNoMask, kNone},
    ParseCase{"192", {}, kNoMask, kNone},
    ParseCase{"192.168.1", {}, kNoMask, kNone},
    ParseCase{"192.168.1.", {}, kNoMask, kNone},
    ParseCase{"192.168..1", {}, kNoMask, kNone},
    ParseCase{"1.2.3.4.5", {}, kNoMask, kNone},
    ParseCase{"1.2.3.1000", {}, kNoMask, kNone},
    ParseCase{"1.2.3.4x", {}, kNoMask, kNone},
    ParseCase{"-1.2.3.4", {}, kNoMask, kNone},
    ParseCase{"1 .2.3.4", {}, kNoMask, kNone},
    ParseCase{std::string("1.2\0.3.4", 8), {}, kNoMask, kNone}));
// clang-format on

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
