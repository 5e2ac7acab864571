#include "addresses/address_registry.h"
#include "addresses/ipv6_results.h"
#include "addresses/reverse_dns.h"

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
                  kWorkedReverse +
                  "\n"
                  "First usable address: 2001:db8::\n"
                  "Last usable address: 2001:db8::ffff:ffff:ffff:ffff\n"
                  "Usable addresses: 18446744073709551616\n");
}

TEST(Ipv6Results, JsonLineOfTheWorkedExample) {
    EXPECT_EQ(quellan::ipv6ResultsJson(read(kWorkedInput), "\t" + kWorkedInput + "\n"),
              R"({"input":"2001:db8:0:0:1::1/64","address":"2001:db8::1:0:0:1",)"
              R"("expanded":"2001:0db8:0000:0000:0001:0000:0000:0001","prefixLength":64,)"
              R"("mask":"ffff:ffff:ffff:ffff::","cidr":"2001:db8::/64","network":"2001:db8::",)"
              R"("first":"2001:db8::","last":"2001:db8::ffff:ffff:ffff:ffff",)"
              R"j("addresses":"18446744073709551616","type":"Documentation (RFC 3849)",)j"
              R"("reverseDns":")" +
                  kWorkedReverse +
                  R"(","usableFirst":"2001:db8::","usableLast":"2001:db8::ffff:ffff:ffff:ffff",)"
                  R"("usable":"18446744073709551616"})");
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
};

TEST(ResultKeys, AnIpv6AddresssKeysAreKnown) {
    const KeyCase cases[] = {
        {"input", true},         {"expanded", true},  {"embeddedIpv4", true},
        {"reverseDns", true},    {"cidr", true},      {"class", false},
        {"decimal", false},      {"wildcard", false}, {"Network", false},
        {"prefixlength", false}, {"", false},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(quellan::isIpv6ResultKey(c.key), c.ipv6) << c.key;
}

} // namespace
