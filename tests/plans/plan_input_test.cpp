#include "networks/block_text.h"
#include "networks/operand_text.h"
#include "plans/plan_input.h"

#include <gtest/gtest.h>

namespace {

using namespace quellan;

std::string cidrs(const std::vector<Block>& blocks) {
    std::string text;
    for (const Block& block : blocks) {
        if (!text.empty())
            text += ' ';
        appendCidr(text, block);
    }
    return text;
}

struct TextCase {
    std::string_view text;
    // What was read, one item a word, or the reason.
    std::string_view read;
};

class NetworksTyped : public testing::TestWithParam<TextCase> {};

TEST_P(NetworksTyped, AreReadWholeOrRefusedByLine) {
    const NetworksRead read = readNetworks(GetParam().text);
    EXPECT_EQ(read.reason.empty() ? cidrs(read.networks) : read.reason, GetParam().read)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, NetworksTyped,
    testing::Values(TextCase{"10.0.0.0/24", "10.0.0.0/24"},
                    TextCase{" 10.0.0.0/16 , 2001:db8::/48 ", "10.0.0.0/16 2001:db8::/48"},
                    TextCase{"10.0.0.0/8\r\n\n192.168.1.7 / 24,\n", "10.0.0.0/8 192.168.1.0/24"},
                    // A dotted mask after a blank is one network, not two.
                    TextCase{"10.0.0.0 255.255.0.0", "10.0.0.0/16"},
                    TextCase{"10.0.0.0/8\n10.0.0.0/33", "Line 2: \"10.0.0.0/33\": "
                                                        "/33 is not a prefix length."},
                    TextCase{"", "Give at least one network, such as 10.0.0.0/24."},
                    TextCase{" ,\n ,", "Give at least one network, such as 10.0.0.0/24."}));

class HostGroupsTyped : public testing::TestWithParam<TextCase> {};

TEST_P(HostGroupsTyped, AreReadWholeOrRefusedByLine) {
    const HostRequestsRead read = readHostRequests(GetParam().text);
    std::string got = read.reason;
    for (const HostRequest& request : read.requests) {
        appendDecimal128(got, request.count);
        got += ":" + request.name + ";";
    }
    EXPECT_EQ(got, GetParam().read) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, HostGroupsTyped,
    testing::Values(TextCase{"50 Servers\n10  Printers and scanners \n",
                             "50:Servers;10:Printers and scanners;"},
                    TextCase{"\n\t100\tLab\r\n\n", "100:Lab;"},
                    TextCase{"50 Servers\n0 Nobody", "Line 2: A count of hosts is at least 1."},
                    TextCase{"50", "Line 1: Give the group a name after its count."},
                    TextCase{"fifty Servers", "Line 1: fifty is not a count of hosts."},
                    TextCase{"", "Give a group a line: its count of hosts, then its name."}));

struct FindCase {
    std::string_view text;
    std::string_view after;
    std::string_view found; // empty for none
};

class FindInPlan : public testing::TestWithParam<FindCase> {};

TEST_P(FindInPlan, ByAddressOrByNameAfterTheCurrent) {
    const std::vector<Block> networks{parseNetwork("10.0.0.0/24").block,
                                      parseNetwork("2001:db8::/64").block};
    Plan plan = newPlan(networks, Profile::Standard).plan;
    apply(plan, splitSubnet(plan, networks[0], 26).change);
    apply(plan, splitSubnet(plan, networks[1], 66).change);
    for (const auto& [subnet, name] : {std::pair{"10.0.0.64/26", "Servers"},
                                       {"10.0.0.192/26", "Backup servers"},
                                       {"2001:db8:0:0:4000::/66", "Lab"}}) {
        Labels labels;
        labels.name = name;
        apply(plan, labelSubnet(plan, parseNetwork(subnet).block, labels).change);
    }
    const auto found = findSubnetFor(plan, GetParam().text, parseNetwork(GetParam().after).block);
    std::string text;
    if (found)
        appendCidr(text, *found);
    EXPECT_EQ(text, GetParam().found) << GetParam().text << " after " << GetParam().after;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, FindInPlan,
    testing::Values(FindCase{"10.0.0.200", "10.0.0.0/26", "10.0.0.192/26"},
                    FindCase{"10.0.0.128/27", "10.0.0.0/26", "10.0.0.128/26"},
                    // Larger than any one subnet: none holds it.
                    FindCase{"10.0.0.0/25", "10.0.0.0/26", ""},
                    FindCase{"10.0.1.1", "10.0.0.0/26", ""},
                    FindCase{"2001:db8::4000:0:0:1", "10.0.0.0/26", "2001:db8:0:0:4000::/66"},
                    FindCase{"servers", "10.0.0.0/26", "10.0.0.64/26"},
                    FindCase{"servers", "10.0.0.64/26", "10.0.0.192/26"},
                    // Round from the last to the first.
                    FindCase{"SERVERS", "10.0.0.192/26", "10.0.0.64/26"},
                    FindCase{"lab", "2001:db8:0:0:4000::/66", "2001:db8:0:0:4000::/66"},
                    FindCase{"Printers", "10.0.0.0/26", ""}, FindCase{" ", "10.0.0.0/26", ""}));

} // namespace
