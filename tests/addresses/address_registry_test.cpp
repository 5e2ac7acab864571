#include "addresses/address_registry.h"
#include "addresses/address_text.h"
#include "addresses/ipv6_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using quellan::Uint128;

std::uint32_t addressOf(const std::string& dotted) {
    return quellan::readDottedQuad(dotted).value().address().value();
}

struct Ipv4Block {
    std::string first;
    std::string last;
    std::string type;
};

void PrintTo(const Ipv4Block& c, std::ostream* os) {
    *os << c.first << " - " << c.last;
}

class Ipv4Registry : public testing::TestWithParam<Ipv4Block> {};

// Both edges of the block have its type and the addresses just outside it
// have another, so a block a bit too wide or too narrow shows.
TEST_P(Ipv4Registry, NameEveryAddressFromFirstToLast) {
    const Ipv4Block& c = GetParam();
    const std::uint32_t first = addressOf(c.first);
    const std::uint32_t last = addressOf(c.last);
    EXPECT_EQ(quellan::addressType(first), c.type);
    EXPECT_EQ(quellan::addressType(last), c.type);
    EXPECT_NE(quellan::addressType(first - 1U), c.type);
    EXPECT_NE(quellan::addressType(last + 1U), c.type);
}

const std::string kPrivate = "Private-use (RFC 1918)";
const std::string kDocumentation = "Documentation (RFC 5737)";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Iana, Ipv4Registry, testing::Values(
    Ipv4Block{"0.0.0.0", "0.0.0.0", "This host on this network (RFC 1122)"},
    Ipv4Block{"0.0.0.1", "0.255.255.255", "This network (RFC 791)"},
    Ipv4Block{"10.0.0.0", "10.255.255.255", kPrivate},
    Ipv4Block{"100.64.0.0", "100.127.255.255", "Shared address space (RFC 6598)"},
    Ipv4Block{"127.0.0.0", "127.255.255.255", "Loopback (RFC 1122)"},
    Ipv4Block{"169.254.0.0", "169.254.255.255", "Link-local (RFC 3927)"},
    Ipv4Block{"172.16.0.0", "172.31.255.255", kPrivate},
    Ipv4Block{"192.0.0.0", "192.0.0.7", "IPv4 service continuity prefix (RFC 7335)"},
    Ipv4Block{"192.0.0.8", "192.0.0.8", "Dummy address (RFC 7600)"},
    Ipv4Block{"192.0.0.9", "192.0.0.9", "Port Control Protocol anycast (RFC 7723)"},
    Ipv4Block{"192.0.0.10", "192.0.0.10", "TURN anycast (RFC 8155)"},
    Ipv4Block{"192.0.0.11", "192.0.0.169", "IETF protocol assignments (RFC 6890)"},
    Ipv4Block{"192.0.0.170", "192.0.0.171", "NAT64/DNS64 discovery (RFC 8880)"},
    Ipv4Block{"192.0.0.172", "192.0.0.255", "IETF protocol assignments (RFC 6890)"},
    Ipv4Block{"192.0.2.0", "192.0.2.255", kDocumentation},
    Ipv4Block{"192.31.196.0", "192.31.196.255", "AS112-v4 (RFC 7535)"},
    Ipv4Block{"192.52.193.0", "192.52.193.255", "AMT (RFC 7450)"},
    Ipv4Block{"192.175.48.0", "192.175.48.255", "Direct delegation AS112 (RFC 7534)"},
    Ipv4Block{"192.88.99.0", "192.88.99.255", "6to4 relay anycast (RFC 7526)"},
    Ipv4Block{"192.168.0.0", "192.168.255.255", kPrivate},
    Ipv4Block{"198.18.0.0", "198.19.255.255", "Benchmarking (RFC 2544)"},
    Ipv4Block{"198.51.100.0", "198.51.100.255", kDocumentation},
    Ipv4Block{"203.0.113.0", "203.0.113.255", kDocumentation},
    Ipv4Block{"224.0.0.0", "239.255.255.255", "Multicast (RFC 5771)"},
    Ipv4Block{"240.0.0.0", "255.255.255.254", "Reserved (RFC 1112)"},
    Ipv4Block{"255.255.255.255", "255.255.255.255", "Limited broadcast (RFC 919)"},
    // Between the blocks
    Ipv4Block{"1.0.0.0", "9.255.255.255", "Public"},
    Ipv4Block{"172.32.0.0", "191.255.255.255", "Public"},
    Ipv4Block{"203.0.114.0", "223.255.255.255", "Public"}));
// clang-format on

struct Ipv6Block {
    std::string first;
    std::string last;
    std::string type;
};

void PrintTo(const Ipv6Block& c, std::ostream* os) {
    *os << c.first << " - " << c.last;
}

class Ipv6Registry : public testing::TestWithParam<Ipv6Block> {};

// Both ends of a run of one type have it and the addresses just outside it
// another, so a block a bit too wide or too narrow, or a nested block that
// does not win over the one around it, shows.
TEST_P(Ipv6Registry, NamesEveryAddressFromFirstToLast) {
    const Ipv6Block& c = GetParam();
    const Uint128 first = quellan::parseIpv6(c.first).address.bits;
    const Uint128 last = quellan::parseIpv6(c.last).address.bits;
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
    Ipv6Block{"::", "::", "Unspecified (RFC 4291)"},
    Ipv6Block{"::1", "::1", "Loopback (RFC 4291)"},
    Ipv6Block{"::ffff:0:0", "::ffff:ffff:ffff", "IPv4-mapped (RFC 4291)"},
    Ipv6Block{"64:ff9b::", "64:ff9b::ffff:ffff", "IPv4/IPv6 translation (RFC 6052)"},
    Ipv6Block{"64:ff9b:1::", "64:ff9b:1:ffff:ffff:ffff:ffff:ffff", "IPv4/IPv6 translation, local use (RFC 8215)"},
    Ipv6Block{"100::", "100::ffff:ffff:ffff:ffff", "Discard-only (RFC 6666)"},
    Ipv6Block{"100:0:0:1::", "100::1:ffff:ffff:ffff:ffff", "Dummy prefix (RFC 9780)"},
    Ipv6Block{"2001::", "2001:0:ffff:ffff:ffff:ffff:ffff:ffff", "Teredo (RFC 4380)"},
    Ipv6Block{"2001:1::", "2001:1::", kIetf},
    Ipv6Block{"2001:1::1", "2001:1::1", "Port Control Protocol anycast (RFC 7723)"},
    Ipv6Block{"2001:1::2", "2001:1::2", "TURN anycast (RFC 8155)"},
    Ipv6Block{"2001:1::3", "2001:1::3", "DNS-SD SRP anycast (RFC 9665)"},
    Ipv6Block{"2001:1::4", "2001:1:ffff:ffff:ffff:ffff:ffff:ffff", kIetf},
    Ipv6Block{"2001:2::", "2001:2:0:ffff:ffff:ffff:ffff:ffff", "Benchmarking (RFC 5180)"},
    Ipv6Block{"2001:3::", "2001:3:ffff:ffff:ffff:ffff:ffff:ffff", "AMT (RFC 7450)"},
    Ipv6Block{"2001:4:112::", "2001:4:112:ffff:ffff:ffff:ffff:ffff", "AS112-v6 (RFC 7535)"},
    Ipv6Block{"2001:10::", "2001:1f:ffff:ffff:ffff:ffff:ffff:ffff", "Deprecated ORCHID (RFC 4843)"},
    Ipv6Block{"2001:20::", "2001:2f:ffff:ffff:ffff:ffff:ffff:ffff", "ORCHIDv2 (RFC 7343)"},
    Ipv6Block{"2001:30::", "2001:3f:ffff:ffff:ffff:ffff:ffff:ffff", "Drone Remote ID (RFC 9374)"},
    Ipv6Block{"2001:40::", "2001:1ff:ffff:ffff:ffff:ffff:ffff:ffff", kIetf},
    Ipv6Block{"2001:db8::", "2001:db8:ffff:ffff:ffff:ffff:ffff:ffff", "Documentation (RFC 3849)"},
    Ipv6Block{"2002::", "2002:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "6to4 (RFC 3056)"},
    Ipv6Block{"2620:4f:8000::", "2620:4f:8000:ffff:ffff:ffff:ffff:ffff", "Direct delegation AS112 (RFC 7534)"},
    Ipv6Block{"3fff::", "3fff:fff:ffff:ffff:ffff:ffff:ffff:ffff", "Documentation (RFC 9637)"},
    Ipv6Block{"5f00::", "5f00:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "SRv6 SIDs (RFC 9602)"},
    Ipv6Block{"fc00::", "fdff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "Unique local (RFC 4193)"},
    Ipv6Block{"fe80::", "febf:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "Link-local (RFC 4291)"},
    Ipv6Block{"fec0::", "feff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "Site-local, deprecated (RFC 3879)"},
    Ipv6Block{"ff00::", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "Multicast (RFC 4291)"},
    // 2000::/3 around the blocks inside it
    Ipv6Block{"2000::", "2000:ffff:ffff:ffff:ffff:ffff:ffff:ffff", kGlobal},
    Ipv6Block{"2001:200::", "2001:db7:ffff:ffff:ffff:ffff:ffff:ffff", kGlobal},
    Ipv6Block{"2003::", "2620:4f:7fff:ffff:ffff:ffff:ffff:ffff", kGlobal},
    Ipv6Block{"3fff:1000::", "3fff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", kGlobal},
    // Outside every block
    Ipv6Block{"::2", "::fffe:ffff:ffff", kReserved},
    Ipv6Block{"4000::", "5eff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", kReserved},
    Ipv6Block{"fe00::", "fe7f:ffff:ffff:ffff:ffff:ffff:ffff:ffff", kReserved}));
// clang-format on

} // namespace
