#include "addresses/address_text.h"
#include "addresses/number_text.h"
#include "calculator/address_facts.h"
#include "calculator/event_steps.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kPrivate = "Private-use (RFC 1918)";

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
    FactsCase{"0.0.0.0", "0.255.255.255", "0.0.0.0/8", "This host on this network (RFC 1122)"}));
// clang-format on

} // namespace
