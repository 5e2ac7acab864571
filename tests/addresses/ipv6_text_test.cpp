#include "addresses/ipv6_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using quellan::Uint128;

std::string written(Uint128 bits) {
    std::string text;
    quellan::appendIpv6(text, bits);
    return text;
}

std::string expanded(Uint128 bits) {
    std::string text;
    quellan::appendExpandedIpv6(text, bits);
    return text;
}

struct ReadCase {
    std::string text;
    std::string address; // as RFC 5952 writes it
    std::string expanded;
    std::int32_t prefixLength;
    std::string zone;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class ReadAndWrite : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadAndWrite, OneAddressInEveryFormAndOneWayBack) {
    const ReadCase& c = GetParam();
    const quellan::ParsedIpv6 parsed = quellan::parseIpv6(c.text);
    ASSERT_EQ(parsed.reason, "");
    EXPECT_EQ(written(parsed.address.bits), c.address);
    EXPECT_EQ(expanded(parsed.address.bits), c.expanded);
    EXPECT_EQ(parsed.prefixLength, c.prefixLength);
    EXPECT_EQ(parsed.zone, c.zone);
    EXPECT_TRUE(parsed.address.family == quellan::Family::IPv6);
}

// The written forms agree with Python's ipaddress (.compressed, .exploded),
// but for the IPv4-mapped addresses, which Python before 3.13 writes in hex.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Rfc5952, ReadAndWrite, testing::Values(
    ReadCase{"2001:db8::1", "2001:db8::1", "2001:0db8:0000:0000:0000:0000:0000:0001", 128, ""},
    ReadCase{"2001:0db8:0000:0000:0000:0000:0000:0001", "2001:db8::1", "2001:0db8:0000:0000:0000:0000:0000:0001", 128, ""},
    ReadCase{"2001:DB8::AbC", "2001:db8::abc", "2001:0db8:0000:0000:0000:0000:0000:0abc", 128, ""},
    ReadCase{"2001:db8:0:0:1:0:0:1", "2001:db8::1:0:0:1", "2001:0db8:0000:0000:0001:0000:0000:0001", 128, ""}, // first of two runs
    ReadCase{"2001:0:0:1:0:0:0:1", "2001:0:0:1::1", "2001:0000:0000:0001:0000:0000:0000:0001", 128, ""},     // the longer run
    ReadCase{"2001:db8:0:1:1:1:1:1", "2001:db8:0:1:1:1:1:1", "2001:0db8:0000:0001:0001:0001:0001:0001", 128, ""}, // one zero group stays
    ReadCase{"::2:3:4:5:6:7:8", "0:2:3:4:5:6:7:8", "0000:0002:0003:0004:0005:0006:0007:0008", 128, ""},
    ReadCase{"1:2:3:4:5:6:7::", "1:2:3:4:5:6:7:0", "0001:0002:0003:0004:0005:0006:0007:0000", 128, ""},
    ReadCase{"::", "::", "0000:0000:0000:0000:0000:0000:0000:0000", 128, ""},
    ReadCase{"0:0:0:0:0:0:0:1", "::1", "0000:0000:0000:0000:0000:0000:0000:0001", 128, ""},
    ReadCase{"1::", "1::", "0001:0000:0000:0000:0000:0000:0000:0000", 128, ""},
    ReadCase{"FFFF:ffff:ffff:ffff:ffff:ffff:ffff:fffF", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", 128, ""},
    ReadCase{"a:0b:00c:000d::", "a:b:c:d::", "000a:000b:000c:000d:0000:0000:0000:0000", 128, ""}));

INSTANTIATE_TEST_SUITE_P(DottedEnding, ReadAndWrite, testing::Values(
    ReadCase{"::ffff:192.0.2.1", "::ffff:192.0.2.1", "0000:0000:0000:0000:0000:ffff:c000:0201", 128, ""},
    ReadCase{"::FFFF:C000:0201", "::ffff:192.0.2.1", "0000:0000:0000:0000:0000:ffff:c000:0201", 128, ""},
    ReadCase{"0:0:0:0:0:ffff:0:0/96", "::ffff:0.0.0.0", "0000:0000:0000:0000:0000:ffff:0000:0000", 96, ""},
    ReadCase{"::1:ffff:c000:201", "::1:ffff:c000:201", "0000:0000:0000:0000:0001:ffff:c000:0201", 128, ""}, // not mapped
    ReadCase{"::ffff:0:1:2", "::ffff:0:1:2", "0000:0000:0000:0000:ffff:0000:0001:0002", 128, ""},
    ReadCase{"::1.2.3.4", "::102:304", "0000:0000:0000:0000:0000:0000:0102:0304", 128, ""},             // compatible: hex
    ReadCase{"64:ff9b::192.0.2.33", "64:ff9b::c000:221", "0064:ff9b:0000:0000:0000:0000:c000:0221", 128, ""},
    ReadCase{"1:2:3:4:5:6:255.255.255.0", "1:2:3:4:5:6:ffff:ff00", "0001:0002:0003:0004:0005:0006:ffff:ff00", 128, ""}));

INSTANTIATE_TEST_SUITE_P(LengthZoneAndBlanks, ReadAndWrite, testing::Values(
    ReadCase{" \t2001:db8::1/64\r\n", "2001:db8::1", "2001:0db8:0000:0000:0000:0000:0000:0001", 64, ""},
    ReadCase{"2001:db8::/0", "2001:db8::", "2001:0db8:0000:0000:0000:0000:0000:0000", 0, ""},
    ReadCase{"::1/128", "::1", "0000:0000:0000:0000:0000:0000:0000:0001", 128, ""},
    ReadCase{"2001:db8::1/064", "2001:db8::1", "2001:0db8:0000:0000:0000:0000:0000:0001", 64, ""},
    ReadCase{"fe80::1%eth0", "fe80::1", "fe80:0000:0000:0000:0000:0000:0000:0001", 128, "eth0"},
    ReadCase{"fe80::1%eth0/64", "fe80::1", "fe80:0000:0000:0000:0000:0000:0000:0001", 64, "eth0"},
    ReadCase{"fe80::1%3\n", "fe80::1", "fe80:0000:0000:0000:0000:0000:0000:0001", 128, "3"},
    ReadCase{"::ffff:10.0.0.1%en\"0\\/104", "::ffff:10.0.0.1", "0000:0000:0000:0000:0000:ffff:0a00:0001", 104, "en\"0\\"}));
// clang-format on

struct RefusalCase {
    std::string text;
    std::string reason;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class Refusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, SayWhy) {
    EXPECT_EQ(quellan::parseIpv6(GetParam().text).reason, GetParam().reason);
}

const std::string kNone = "Not an IPv4 or IPv6 address.";
const std::string kLength = " is not a prefix length.";
const std::string kTooMany = "More than eight groups.";
const std::string kBadEnding = "The dotted ending is not an IPv4 address.";
const std::string kBadZone = "A zone holds no blanks, control characters or '%'.";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Address, Refusals, testing::Values(
    RefusalCase{"2001:db8::1::1", "Two '::' in one address."},
    RefusalCase{"::1::", "Two '::' in one address."},
    RefusalCase{":::", "':::' is in no address."},
    RefusalCase{"1:::2", "':::' is in no address."},
    RefusalCase{"2001:db8::12345", "A group has four hexadecimal digits at most."},
    RefusalCase{"02001:db8::1", "A group has four hexadecimal digits at most."},
    RefusalCase{"1:2:3:4:5:6:7:8:9", kTooMany},
    RefusalCase{"1:2:3:4:5:6:7:8::", kTooMany},                 // "::" stands for a group at least
    RefusalCase{"1:2:3::4:5:6:7:8", kTooMany},
    RefusalCase{"1:2:3:4:5:6:7:1.2.3.4", kTooMany},
    RefusalCase{"1:2:3:4:5:6::1.2.3.4", kTooMany},
    RefusalCase{"1:2:3:4:5:6:7", "Fewer than eight groups, and no '::' for the rest."},
    RefusalCase{"1:2:3:4:5:6:1.2.3.4:1", kBadEnding},
    RefusalCase{"::ffff:1.2.3.256", kBadEnding},
    RefusalCase{"::ffff:1.2.3", kBadEnding},
    RefusalCase{"::ffff:1.2.3.4.5", kBadEnding},
    RefusalCase{"::ffff:1.2.3.04", kBadEnding},                 // a leading zero may mean octal
    RefusalCase{"::ffff:1.2..4", kBadEnding},
    RefusalCase{"::ffff:1a.2.3.4", kBadEnding},
    RefusalCase{":1:2:3:4:5:6:7", "A single ':' at the start or the end."},
    RefusalCase{"1:2:3:4:5:6:7:8:", "A single ':' at the start or the end."},
    RefusalCase{"", kNone},
    RefusalCase{" \t", kNone},
    RefusalCase{"192.0.2.1", kNone},
    RefusalCase{"2001:db8::g", kNone},
    RefusalCase{"2001:db8:: 1", kNone},
    RefusalCase{"2001:db8::1 /64", kNone},
    RefusalCase{"[2001:db8::1]", kNone},
    RefusalCase{"2001:db8:-1::", kNone},
    RefusalCase{std::string("::1\0", 4), kNone}));

INSTANTIATE_TEST_SUITE_P(LengthAndZone, Refusals, testing::Values(
    RefusalCase{"2001:db8::1/", "A prefix length must follow '/'."},
    RefusalCase{"2001:db8::1/64/64", "Two '/' in one address."},
    RefusalCase{"2001:db8::1//64", "Two '/' in one address."},
    RefusalCase{"2001:db8::1/129", "/129" + kLength},
    RefusalCase{"2001:db8::1/-1", "/-1" + kLength},
    RefusalCase{"2001:db8::1/+64", "/+64" + kLength},
    RefusalCase{"2001:db8::1/6 4", "/6 4" + kLength},
    RefusalCase{"2001:db8::1/99999999999999999999", "/999999999999999..." + kLength},
    RefusalCase{"2001:db8::1/0x40", "/0x40" + kLength},
    RefusalCase{"fe80::1%", "A zone must follow '%'."},
    RefusalCase{"fe80::1%/64", "A zone must follow '%'."},
    RefusalCase{"fe80::1%eth 0", kBadZone},
    RefusalCase{"fe80::1%eth0%1", kBadZone},
    RefusalCase{"fe80::1%eth\x01", kBadZone},
    RefusalCase{"fe80::1%%eth0", kBadZone}));
// clang-format on

// Addresses of every shape of zero runs: each written text, and the
// expanded one, reads back as the same 128 bits.
TEST(Ipv6Text, WrittenTextReadsBackAsTheSameAddress) {
    std::uint64_t state = 0x9E3779B97F4A7C15ULL;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int n = 0; n < 20000; ++n) {
        Uint128 bits = 0;
        const std::uint64_t zeros = next(); // which groups are zero
        for (int group = 0; group < 8; ++group)
            bits = (bits << 16) | ((zeros >> group) & 1U ? 0U : next() & 0xFFFFU);
        const std::string text = written(bits);
        const quellan::ParsedIpv6 fromText = quellan::parseIpv6(text);
        const quellan::ParsedIpv6 fromExpanded = quellan::parseIpv6(expanded(bits));
        ASSERT_EQ(fromText.reason, "") << text;
        ASSERT_TRUE(fromText.address.bits == bits) << text;
        ASSERT_TRUE(fromExpanded.address.bits == bits) << expanded(bits);
        ASSERT_LE(text.size(), 39U);
        ASSERT_EQ(text.find(":::"), std::string::npos) << text;
    }
}

} // namespace
