#include "addresses/address_text.h"
#include "calculator/event_steps.h"
#include "calculator/field_tips.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct TipCase {
    std::string address; // "" before any input
    std::string field;
    std::string tip;
};

void PrintTo(const TipCase& c, std::ostream* os) {
    *os << (c.address.empty() ? "(no input)" : c.address) << ' ' << c.field;
}

class FieldTipTable : public testing::TestWithParam<TipCase> {};

TEST_P(FieldTipTable, SaysWhatTheFieldMeansOrImplies) {
    const TipCase& c = GetParam();
    quellan::WindowState state;
    quellan::windowLoaded(state);
    if (!c.address.empty())
        quellan::addressEntered(state, quellan::parseAddress(c.address));
    const auto tips = quellan::fieldTips(state);
    const auto field = std::find_if(quellan::kDisplayFields.begin(), quellan::kDisplayFields.end(),
                                    [&c](const auto& f) { return f.name == c.field; });
    ASSERT_NE(field, quellan::kDisplayFields.end());
    EXPECT_EQ(tips[static_cast<std::size_t>(field - quellan::kDisplayFields.begin())], c.tip);
}

const std::string kRange = "The first and the last address that a host on this network can use.";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fields, FieldTipTable, testing::Values(
    TipCase{"", "lblClass", "The address class, from the leading bits of the address."},
    TipCase{"", "lblNetNumber", "The first address of the network, which names the network itself."},
    TipCase{"", "lblMaxNets", "2^bits − 2: the networks of this mask length in the whole address space, less two."},
    TipCase{"192.168.1.10/26", "lblClass", "Address type: Private-use (RFC 1918)"},
    TipCase{"8.8.8.8", "lblClass", "Address type: Public"},
    TipCase{"192.168.1.10/26", "lblNetMask", "Wildcard mask: 0.0.0.63"},
    TipCase{"192.168.1.10/26", "lblNetNumber", "Network: 192.168.1.0/26"},
    TipCase{"192.168.1.10/26", "lblMaxNets", "2^26 − 2: the networks of this mask length in the whole address space, less two."},
    TipCase{"192.168.1.10/26", "lblHosts", kRange},
    TipCase{"10.0.0.0/31", "lblHosts", "A 31-bit mask is for point-to-point links, where both addresses are hosts (RFC 3021)."},
    TipCase{"10.0.0.1/32", "lblHosts", "A 32-bit mask names a single host."},
    TipCase{"10.0.0.1/32", "lbl32Decimal", "The address as one 32-bit number in decimal."}));
// clang-format on

} // namespace
