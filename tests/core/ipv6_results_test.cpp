#include "address_facts.h"
#include "ipv6_results.h"
#include "reverse_dns.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using quellan::Uint128;

quellan::ParsedIpv6 read(const std::string& text) {
    quellan::ParsedIpv6 parsed = quellan::parseIpv6(text);
    EXPECT_EQ(parsed.reason, "") << text;
    return parsed;
}

struct BlockCase {
    std::string first;
    std::string last;
    std::string type;
};

void PrintTo(const BlockCase& c, std::ostream* os) {
    *os << c.first << " - " << c.last;
}

class Ipv6Registry : public testing::TestWithParam<BlockCase> {};

// Both ends of a run of one type have it and the addresses just outside it
// another, so a block a bit too wide or too narrow, or a nested block that
// does not win over the one around it, shows.
TEST_P(Ipv6Registry, NamesEveryAddressFromFirstToLast) {
    const BlockCase& c = GetParam();
    const Uint128 first = read(c.first).address.bits;
    const Uint128 last = read(c.last).address.bits;
    EXPECT_EQ(quellan::ipv6Type(first).type, c.type);
    EXPECT_EQ(quellan::ipv6Type(last).type, c.type);
    EXPECT_NE(quellan::ipv6Type(first - 1).type, c.type);
    EXPECT_NE(quellan::ipv6Type(last + 1).type, c.type);
}

const std::string kIetf = "IETF protocol assignments (RFC 2928)";
const std::string kGlobal = "Global unicast (RFC 4291)";
const std::string kReserved = "Reserved by IETF (RFC 4291)";

// The ends from Python's ipaddress (network_address, broadcast_address).
// clang-format off
INSTANTIATE_TEST_SUITE_P(Iana, Ipv6Registry, testing::Values(
    BlockCase{"::", "::", "Unspecified (RFC 4291)"},
    BlockCase{"::1", "::1", "Loopback (RFC 4291)"},
    BlockCase{"::ffff:0:0", "::ffff:ffff:ffff", "IPv4-mapped (RFC 4291)"},
    BlockCase{"64:ff9b::", "64:ff9b::ffff:ffff", "IPv4/IPv6 translation (RFC 6052)"},
    BlockCase{"64:ff9b:1::", "64:ff9b:1:ffff:ffff:ffff:ffff:ffff", "IPv4/IPv6 translation, local use (RFC 8215)"},
    BlockCase{"100::", "100::ffff:ffff:ffff:ffff", "Discard-only (RFC 6666)"},
    BlockCase{"100:0:0:1::", "100::1:ffff:ffff:ffff:ffff", "Dummy prefix (RFC 9780)"},
    BlockCase{"2001::", "2001:0:ffff:ffff:ffff:ffff:ffff:ffff", "Teredo (RFC 4380)"},
    BlockCase{"2001:1::", "2001:1::", kIetf},
    BlockCase{"2001:1::1", "2001:1::1", "Port Control Protocol anycast (RFC 7723)"},
    BlockCase{"2001:1::2", "2001:1::2", "TURN anycast (RFC 8155)"},
    BlockCase{"2001:1::3", "2001:1::3", "DNS-SD SRP anycast (RFC 9665)"},
    BlockCase{"2001:1::4", "2001:1:ffff:ffff:ffff:ffff:ffff:ffff", kIetf},
    BlockCase{"2001:2::", "2001:2:0:ffff:ffff:ffff:ffff:ffff", "Benchmarking (RFC 5180)"},
    BlockCase{"2001:3::", "2001:3:ffff:ffff:ffff:ffff:ffff:ffff", "AMT (RFC 7450)"},
    BlockCase{"2001:4:112::", "2001:4:112:ffff:ffff:ffff:ffff:ffff", "AS112-v6 (RFC 7535)"},
    BlockCase{"2001:10::", "2001:1f:ffff:ffff:ffff:ffff:ffff:ffff", "Deprecated ORCHID (RFC 4843)"},
    BlockCase{"2001:20::", "2001:2f:ffff:ffff:ffff:ffff:ffff:ffff", "ORCHIDv2 (RFC 7343)"},
    BlockCase{"2001:30::", "2001:3f:ffff:ffff:ffff:ffff:ffff:ffff", "Drone Remote ID (RFC 9374)"},
    BlockCase{"2001:40::", "2001:1ff:ffff:ffff:ffff:ffff:ffff:ffff", kIetf},
    BlockCase{"2001:db8::", "2001:db8:ffff:ffff:ffff:ffff:ffff:ffff", "Documentation (RFC 3849)"},
    BlockCase{"2002::", "2002:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "6to4 (RFC 3056)"},
    BlockCase{"2620:4f:8000::", "2620:4f:8000:ffff:ffff:ffff:ffff:ffff", "Direct delegation AS112 (RFC 7534)"},
    BlockCase{"3fff::", "3fff:fff:ffff:ffff:ffff:ffff:ffff:ffff", "Documentation (RFC 9637)"},
    BlockCase{"5f00::", "5f00:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "SRv6 SIDs (RFC 9602)"},
    BlockCase{"fc00::", "fdff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "Unique local (RFC 4193)"},
    BlockCase{"fe80::", "febf:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "Link-local (RFC 4291)"},
    BlockCase{"fec0::", "feff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "Site-local, deprecated (RFC 3879)"},
    BlockCase{"ff00::", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "Multicast (RFC 4291)"},
    // 2000::/3 around the blocks inside it
    BlockCase{"2000::", "2000:ffff:ffff:ffff:ffff:ffff:ffff:ffff", kGlobal},
    BlockCase{"2001:200::", "2001:db7:ffff:ffff:ffff:ffff:ffff:ffff", kGlobal},
    BlockCase{"2003::", "2620:4f:7fff:ffff:ffff:ffff:ffff:ffff", kGlobal},
    BlockCase{"3fff:1000::", "3fff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", kGlobal},
    // Outside every block
    BlockCase{"::2", "::fffe:ffff:ffff", kReserved},
    BlockCase{"4000::", "5eff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", kReserved},
    BlockCase{"fe00::", "fe7f:ffff:ffff:ffff:ffff:ffff:ffff:ffff", kReserved}));
// clang-format on

struct EmbeddedCase {
    std::string address;
    std::optional<std::string> ipv4;
};

TEST(EmbeddedIpv4, OnlyWhereTheBlockCarriesOne) {
    const EmbeddedCase cases[] = {
        {"::ffff:192.0.2.1", "192.0.2.1"},
        {"::ffff:0:0", "0.0.0.0"},
        {"64:ff9b::192.0.2.33", "192.0.2.33"},
        {"2002:c000:22a::1", "192.0.2.42"},
        {"2002:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "255.255.255.255"},
        {"2001:0:4136:e378:8000:63bf:3fff:fdd2", "192.0.2.45"}, // Teredo: bits inverted
        {"2001::", "255.255.255.255"},
        {"64:ff9b:1::c000:221", std::nullopt}, // local use: where the bits go is the network's own
        {"::192.0.2.1", std::nullopt},         // the deprecated compatible form
        {"2001:1::1", std::nullopt},
        {"2001:db8::c000:201", std::nullopt},
        {"2003:c000:22a::1", std::nullopt},
    };
    for (const EmbeddedCase& c : cases)
        EXPECT_EQ(quellan::ipv6ResultValue(read(c.address), c.address, "embeddedIpv4"), c.ipv4)
            << c.address;
}

struct ReverseCase {
    quellan::IpAddress address;
    std::string name;
};

TEST(ReverseDns, NibblesOrOctetsLastFirst) {
    using quellan::Family;
    const ReverseCase cases[] = {
        {{Family::IPv4, 0xC0A8010AU}, "10.1.168.192.in-addr.arpa."},
        {{Family::IPv4, 0x01020304U}, "4.3.2.1.in-addr.arpa."},
        {{Family::IPv4, 0}, "0.0.0.0.in-addr.arpa."},
        {{Family::IPv4, 0xFFFFFFFFU}, "255.255.255.255.in-addr.arpa."},
        // RFC 3596's own example, 4321:0:1:2:3:4:567:89ab
        {read("4321:0:1:2:3:4:567:89ab").address,
         "b.a.9.8.7.6.5.0.4.0.0.0.3.0.0.0.2.0.0.0.1.0.0.0.0.0.0.0.1.2.3.4.ip6.arpa."},
        {read("::1").address,
         "1.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.ip6.arpa."},
        {read("ffff:ffff:ffff:ffff:ffff:ffff:ffff:fffe").address,
         "e.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.f.ip6.arpa."},
    };
    for (const ReverseCase& c : cases) {
        std::string name = "x";
        quellan::appendReverseDns(name, c.address);
        EXPECT_EQ(name, "x" + c.name);
    }
}

// 2001:db8:0:0:1::1/64, worked out by hand.
const std::string kWorkedInput = "2001:db8:0:0:1::1/64";
const std::string kWorkedReverse =
    "1.0.0.0.0.0.0.0.0.0.0.0.1.0.0.0.0.0.0.0.0.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa.";

TEST(Ipv6Results, TextLinesOfTheWorkedExample) {
    EXPECT_EQ(quellan::ipv6ResultsText(read(kWorkedInput)),
              "Address: 2001:db8::1:0:0:1\n"
              "Expanded address: 2001:0db8:0000:0000:0001:0000:0000:0001\n"
              "Prefix length: 64\n"
              "Network mask: ffff:ffff:ffff:ffff::\n"
              "Network: 2001:db8::/64\n"
              "First address: 2001:db8::\n"
              "Last address: 2001:db8::ffff:ffff:ffff:ffff\n"
              "Addresses: 18446744073709551616\n"
              "Address type: Documentation (RFC 3849)\n"
              "Reverse DNS: " +
                  kWorkedReverse + "\n");
}

TEST(Ipv6Results, JsonLineOfTheWorkedExample) {
    EXPECT_EQ(quellan::ipv6ResultsJson(read(kWorkedInput), "\t" + kWorkedInput + "\n"),
              R"({"input":"2001:db8:0:0:1::1/64","address":"2001:db8::1:0:0:1",)"
              R"("expanded":"2001:0db8:0000:0000:0001:0000:0000:0001","prefixLength":64,)"
              R"("mask":"ffff:ffff:ffff:ffff::","cidr":"2001:db8::/64","network":"2001:db8::",)"
              R"("first":"2001:db8::","last":"2001:db8::ffff:ffff:ffff:ffff",)"
              R"j("addresses":"18446744073709551616","type":"Documentation (RFC 3849)",)j"
              R"("reverseDns":")" +
                  kWorkedReverse + R"("})");
}

TEST(Ipv6Results, EmbeddedAddressAndZoneWhereGiven) {
    const std::string input = "::ffff:192.0.2.1%a\"b/120";
    const quellan::ParsedIpv6 parsed = read(input);
    const std::string text = quellan::ipv6ResultsText(parsed);
    EXPECT_NE(text.find("Address: ::ffff:192.0.2.1%a\"b\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nAddress type: IPv4-mapped (RFC 4291)\n"
                        "Embedded IPv4 address: 192.0.2.1\nReverse DNS: "),
              std::string::npos)
        << text;
    const std::string json = quellan::ipv6ResultsJson(parsed, input);
    EXPECT_NE(json.find(R"("address":"::ffff:192.0.2.1%a\"b",)"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("embeddedIpv4":"192.0.2.1","reverseDns":)"), std::string::npos) << json;
}

struct ValueCase {
    std::string input;
    std::string key;
    std::optional<std::string> value;
};

TEST(Ipv6ResultValue, GivesWhatTheJsonHoldsUnquoted) {
    const std::string kAll = "::/0";
    const ValueCase cases[] = {
        {kWorkedInput, "input", kWorkedInput},
        {kWorkedInput, "prefixLength", "64"},
        {kWorkedInput, "network", "2001:db8::"},
        {kWorkedInput, "cidr", "2001:db8::/64"},
        {kWorkedInput, "addresses", "18446744073709551616"},
        {kWorkedInput, "embeddedIpv4", std::nullopt}, // a key this address has no value for
        {kWorkedInput, "class", std::nullopt},        // an IPv4 key
        {kWorkedInput, "Network", std::nullopt},
        {kAll, "mask", "::"},
        {kAll, "last", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
        {kAll, "addresses", "340282366920938463463374607431768211456"},
        {"2001:db8::1/127", "last", "2001:db8::1"},
        {"2001:db8::1/127", "addresses", "2"},
        {"fe80::1:2%eth0/1", "address", "fe80::1:2%eth0"},
        {"fe80::1:2%eth0/1", "first", "8000::"},
        {"fe80::1:2%eth0/1", "last", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
        {"fe80::1:2%eth0/1", "mask", "8000::"},
        {"::ffff:192.0.2.1/96", "network", "::ffff:0.0.0.0"},
        {"::ffff:192.0.2.1/96", "last", "::ffff:255.255.255.255"},
        {"::ffff:192.0.2.1/96", "addresses", "4294967296"},
    };
    for (const ValueCase& c : cases)
        EXPECT_EQ(quellan::ipv6ResultValue(read(c.input), " " + c.input, c.key), c.value)
            << c.input << " " << c.key;
}

struct KeyCase {
    std::string key;
    bool ipv6;
    bool either;
};

TEST(ResultKeys, EitherFamilysKeysAreKnown) {
    const KeyCase cases[] = {
        {"input", true, true},          {"expanded", true, true},  {"embeddedIpv4", true, true},
        {"reverseDns", true, true},     {"cidr", true, true},      {"class", false, true},
        {"decimal", false, true},       {"wildcard", false, true}, {"Network", false, false},
        {"prefixlength", false, false}, {"", false, false},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(quellan::isIpv6ResultKey(c.key), c.ipv6) << c.key;
        EXPECT_EQ(quellan::isAnyResultKey(c.key), c.either) << c.key;
    }
}

} // namespace
