#include "address_facts.h"
#include "address_text.h"
#include "event_steps.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::uint32_t addressOf(const std::string& dotted) {
    const quellan::ParsedAddress parsed = quellan::parseAddress(dotted);
    std::uint32_t value = 0;
    for (const std::string& octet : parsed.octets)
        value = (value << 8) | static_cast<std::uint32_t>(std::stoul(octet));
    return value;
}

struct BlockCase {
    std::string first;
    std::string last;
    std::string type;
};

void PrintTo(const BlockCase& c, std::ostream* os) {
    *os << c.first << " - " << c.last;
}

class RegistryBlocks : public testing::TestWithParam<BlockCase> {};

// Both edges of the block have its type and the addresses just outside it
// have another, so a block a bit too wide or too narrow shows.
TEST_P(RegistryBlocks, NameEveryAddressFromFirstToLast) {
    const BlockCase& c = GetParam();
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
INSTANTIATE_TEST_SUITE_P(Iana, RegistryBlocks, testing::Values(
    BlockCase{"0.0.0.0", "0.255.255.255", "This network (RFC 791)"},
    BlockCase{"10.0.0.0", "10.255.255.255", kPrivate},
    BlockCase{"100.64.0.0", "100.127.255.255", "Shared address space (RFC 6598)"},
    BlockCase{"127.0.0.0", "127.255.255.255", "Loopback (RFC 1122)"},
    BlockCase{"169.254.0.0", "169.254.255.255", "Link-local (RFC 3927)"},
    BlockCase{"172.16.0.0", "172.31.255.255", kPrivate},
    BlockCase{"192.0.0.0", "192.0.0.255", "IETF protocol assignments (RFC 6890)"},
    BlockCase{"192.0.2.0", "192.0.2.255", kDocumentation},
    BlockCase{"192.88.99.0", "192.88.99.255", "6to4 relay anycast (RFC 7526)"},
    BlockCase{"192.168.0.0", "192.168.255.255", kPrivate},
    BlockCase{"198.18.0.0", "198.19.255.255", "Benchmarking (RFC 2544)"},
    BlockCase{"198.51.100.0", "198.51.100.255", kDocumentation},
    BlockCase{"203.0.113.0", "203.0.113.255", kDocumentation},
    BlockCase{"224.0.0.0", "239.255.255.255", "Multicast (RFC 5771)"},
    BlockCase{"240.0.0.0", "255.255.255.254", "Reserved (RFC 1112)"},
    BlockCase{"255.255.255.255", "255.255.255.255", "Limited broadcast (RFC 919)"},
    // Between the blocks
    BlockCase{"1.0.0.0", "9.255.255.255", "Public"},
    BlockCase{"172.32.0.0", "191.255.255.255", "Public"},
    BlockCase{"203.0.114.0", "223.255.255.255", "Public"}));
// clang-format on

struct FactsCase {
    std::string input;
    std::string wildcard;
    std::string network;
    std::string type;
};

void PrintTo(const FactsCase& c, std::ostream* os) {
    *os << c.input;
}

class FactsOfTheRecord : public testing::TestWithParam<FactsCase> {};

TEST_P(FactsOfTheRecord, FollowTheAddressAndSliderTheWindowShows) {
    const FactsCase& c = GetParam();
    quellan::WindowState state;
    quellan::windowLoaded(state);
    quellan::addressEntered(state, quellan::parseAddress(c.input));
    const quellan::AddressFacts facts = quellan::addressFacts(state);
    EXPECT_EQ(facts.wildcard, c.wildcard);
    EXPECT_EQ(facts.network, c.network);
    EXPECT_EQ(facts.type, c.type);
    // The same numbers the fields are written from.
    EXPECT_EQ(std::to_string(facts.address), state.lbl32Decimal);
    EXPECT_EQ(quellan::dottedQuad(facts.mask), state.lblNetMask);
    EXPECT_EQ(quellan::dottedQuad(facts.address & facts.mask), state.lblNetNumber);
    EXPECT_EQ(quellan::dottedQuad(facts.address | ~facts.mask), state.lblBroadcast);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Entered, FactsOfTheRecord, testing::Values(
    FactsCase{"192.168.1.10/26", "0.0.0.63", "192.168.1.0/26", kPrivate},
    FactsCase{"10.0.0.1", "0.255.255.255", "10.0.0.0/8", kPrivate},          // the class default
    FactsCase{"172.16.5.4/32", "0.0.0.0", "172.16.5.4/32", kPrivate},
    FactsCase{"172.16.5.4/31", "0.0.0.1", "172.16.5.4/31", kPrivate},
    FactsCase{"128.0.0.1/1", "127.255.255.255", "128.0.0.0/1", "Public"},
    FactsCase{"100.127.1.1/10", "0.63.255.255", "100.64.0.0/10", "Shared address space (RFC 6598)"},
    FactsCase{"224.1.2.3/24", "255.255.255.255", "0.0.0.0/0", "Multicast (RFC 5771)"},   // no mask length
    FactsCase{"254.255.0.1", "255.255.255.255", "0.0.0.0/0", "Reserved (RFC 1112)"},
    FactsCase{"300.1.1.1", "0.255.255.255", "44.0.0.0/8", "Public"},           // the low eight bits of 300
    FactsCase{"0.0.0.0", "0.255.255.255", "0.0.0.0/8", "This network (RFC 791)"}));
// clang-format on

} // namespace
