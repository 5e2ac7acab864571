#include "addresses/address_text.h"

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
const std::string kNone = "Not an IPv4 or IPv6 address.";

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

} // namespace
