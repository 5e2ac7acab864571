#include "networks/operand_text.h"
#include "plan_model_checks.h"
#include "plans/plan.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace quellan;
using check::tilingFault;

Block net(std::string_view text) {
    const ParsedNetwork parsed = parseNetwork(text);
    EXPECT_EQ(parsed.reason, "") << text;
    return parsed.block;
}

std::string address(const Block& like, Uint128 bits) {
    std::string text;
    appendAddress(text, like.family, bits);
    return text;
}

Plan planOf(std::initializer_list<std::string_view> networks, Profile profile = Profile::Standard) {
    std::vector<Block> blocks;
    for (const std::string_view text : networks)
        blocks.push_back(net(text));
    NewPlan made = newPlan(blocks, profile);
    EXPECT_EQ(made.reason, "");
    return made.plan;
}

// Applies an operation that must be done.
void done(Plan& plan, const PlanResult& result) {
    ASSERT_EQ(result.reason, "");
    apply(plan, result.change);
}

struct UsableCase {
    Profile profile;
    std::string_view subnet;
    std::string_view first; // empty when nothing is usable
    std::string_view last;
    std::string_view count;
};

class ProfileUsable : public testing::TestWithParam<UsableCase> {};

TEST_P(ProfileUsable, LeavesTheProvidersAddressesOut) {
    const UsableCase& c = GetParam();
    const Block block = net(c.subnet);
    const Usable usable = usableOf(c.profile, block);
    std::string count;
    appendUsableCount(count, c.profile, block);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(usable.any, !c.first.empty());
    if (usable.any) {
        EXPECT_EQ(address(block, usable.first), c.first);
        EXPECT_EQ(address(block, usable.last), c.last);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, ProfileUsable, testing::Values(
    UsableCase{Profile::Standard, "10.0.0.0/28", "10.0.0.1", "10.0.0.14", "14"},
    UsableCase{Profile::Standard, "10.0.0.0/29", "10.0.0.1", "10.0.0.6", "6"},
    UsableCase{Profile::Standard, "10.0.0.0/30", "10.0.0.1", "10.0.0.2", "2"},
    UsableCase{Profile::Standard, "10.0.0.0/31", "10.0.0.0", "10.0.0.1", "2"},
    UsableCase{Profile::Standard, "10.0.0.7/32", "10.0.0.7", "10.0.0.7", "1"},
    UsableCase{Profile::Standard, "0.0.0.0/0", "0.0.0.1", "255.255.255.254", "4294967294"},
    UsableCase{Profile::Standard, "255.255.255.252/30", "255.255.255.253", "255.255.255.254", "2"},
    UsableCase{Profile::Standard, "2001:db8::/127", "2001:db8::", "2001:db8::1", "2"},
    UsableCase{Profile::Standard, "2001:db8::9/128", "2001:db8::9", "2001:db8::9", "1"},
    UsableCase{Profile::Aws, "10.0.0.0/28", "10.0.0.4", "10.0.0.14", "11"},
    UsableCase{Profile::Aws, "10.0.0.0/29", "10.0.0.4", "10.0.0.6", "3"},
    UsableCase{Profile::Aws, "10.0.0.0/30", "", "", "0"},
    UsableCase{Profile::Aws, "10.0.0.0/31", "", "", "0"},
    UsableCase{Profile::Aws, "10.0.0.7/32", "", "", "0"},
    UsableCase{Profile::Azure, "10.0.0.16/28", "10.0.0.20", "10.0.0.30", "11"},
    UsableCase{Profile::Azure, "10.0.0.8/29", "10.0.0.12", "10.0.0.14", "3"},
    UsableCase{Profile::Azure, "10.0.0.4/30", "", "", "0"},
    UsableCase{Profile::Azure, "10.0.0.2/31", "", "", "0"},
    UsableCase{Profile::Azure, "10.0.0.9/32", "", "", "0"},
    UsableCase{Profile::Gcp, "10.0.0.0/28", "10.0.0.2", "10.0.0.13", "12"},
    UsableCase{Profile::Gcp, "10.0.0.0/29", "10.0.0.2", "10.0.0.5", "4"},
    UsableCase{Profile::Gcp, "10.0.0.0/30", "", "", "0"},
    UsableCase{Profile::Gcp, "10.0.0.0/31", "", "", "0"},
    UsableCase{Profile::Gcp, "10.0.0.7/32", "", "", "0"},
    UsableCase{Profile::Oci, "10.0.0.0/28", "10.0.0.2", "10.0.0.14", "13"},
    UsableCase{Profile::Oci, "10.0.0.0/29", "10.0.0.2", "10.0.0.6", "5"},
    UsableCase{Profile::Oci, "10.0.0.0/30", "10.0.0.2", "10.0.0.2", "1"},
    UsableCase{Profile::Oci, "10.0.0.0/31", "", "", "0"},
    UsableCase{Profile::Oci, "10.0.0.7/32", "", "", "0"},
    UsableCase{Profile::Aws, "2001:db8::/127", "2001:db8::", "2001:db8::1", "2"},
    UsableCase{Profile::Gcp, "2001:db8::5/128", "2001:db8::5", "2001:db8::5", "1"},
    UsableCase{Profile::Standard, "::/0", "::", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff",
               "340282366920938463463374607431768211456"}));
// clang-format on

struct RefusalCase {
    std::string name;
    std::function<PlanResult(const Plan&)> operation;
    std::string reason;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class Refusals : public testing::TestWithParam<RefusalCase> {};

// A plan with a split /16, a labelled /24 and a single IPv6 network.
Plan sample() {
    Plan plan = planOf({"10.0.0.0/16", "2001:db8::/64"});
    done(plan, splitSubnet(plan, net("10.0.0.0/16"), 18));
    done(plan, splitSubnet(plan, net("10.0.0.0/18"), 24));
    Labels servers;
    servers.name = "Servers";
    servers.vlan = 10;
    done(plan, labelSubnet(plan, net("10.0.0.0/24"), servers));
    servers.vlan = 11;
    done(plan, labelSubnet(plan, net("10.0.1.0/24"), servers));
    return plan;
}

TEST_P(Refusals, NameTheSubnetAndChangeNothing) {
    const Plan plan = sample();
    const PlanResult result = GetParam().operation(plan);
    EXPECT_EQ(result.reason, GetParam().reason);
    EXPECT_TRUE(result.change.removed.empty() && result.change.added.empty() &&
                result.change.addedNetworks.empty() && result.change.removedNetworks.empty());
}

Labels named(std::string name, std::optional<std::int32_t> vlan = {}, std::string color = {}) {
    Labels labels;
    labels.name = std::move(name);
    labels.vlan = vlan;
    labels.color = std::move(color);
    return labels;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, Refusals, testing::Values(
    RefusalCase{"split of no subnet", [](const Plan& p) { return splitSubnet(p, net("10.0.0.0/23"), 24); },
                "10.0.0.0/23 is no subnet of the plan."},
    RefusalCase{"split past /32", [](const Plan& p) { return splitSubnet(p, net("10.0.0.0/24"), 33); },
                "10.0.0.0/24 splits into lengths from 25 to 32, not /33."},
    RefusalCase{"split too many", [](const Plan& p) { return splitSubnet(p, net("2001:db8::/64"), 84); },
                "2001:db8::/64 into /84: that would make 1048643 subnets in the plan (1048576 and the "
                "other 67); a plan holds up to 1048576 ('quellan split' lists any number)."},
    RefusalCase{"split 2^128", [](const Plan& p) { return splitSubnet(p, net("2001:db8::/64"), 128); },
                "2001:db8::/64 into /128: that would make 18446744073709551683 subnets in the plan "
                "(18446744073709551616 and the other 67); a plan holds up to 1048576 ('quellan split' "
                "lists any number)."},
    RefusalCase{"join whole network", [](const Plan& p) { return joinSubnet(p, net("2001:db8::/64")); },
                "2001:db8::/64 is the whole network; it has no other half."},
    RefusalCase{"join split sibling", [](const Plan& p) { return joinSubnet(p, net("10.0.64.0/18")); },
                "The other half of 10.0.64.0/18, 10.0.0.0/18, is split; join its parts first."},
    RefusalCase{"join disagreeing", [](const Plan& p) { return joinSubnet(p, net("10.0.1.0/24")); },
                "10.0.0.0/24 and 10.0.1.0/24 differ in VLAN (10, 11); say whose labels to keep."},
    RefusalCase{"join block disagreeing", [](const Plan& p) { return joinBlock(p, net("10.0.0.0/16")); },
                "The subnets of 10.0.0.0/16 differ in VLAN (10, 11); say whose labels to keep."},
    RefusalCase{"join block of no network", [](const Plan& p) { return joinBlock(p, net("11.0.0.0/16")); },
                "11.0.0.0/16 is no block of a network of the plan."},
    RefusalCase{"join block over the network", [](const Plan& p) { return joinBlock(p, net("10.0.0.0/15")); },
                "10.0.0.0/15 is no block of a network of the plan."},
    RefusalCase{"join block, host bits", [](const Plan& p) { return joinBlock(p, {Family::IPv4, 0x0A000001, 24}); },
                "10.0.0.1/24 is no block of a network of the plan."},
    RefusalCase{"join block in a subnet", [](const Plan& p) { return joinBlock(p, net("10.0.160.0/19")); },
                "10.0.160.0/19 lies in the subnet 10.0.128.0/18; there is nothing to join."},
    RefusalCase{"join block of one subnet", [](const Plan& p) { return joinBlock(p, net("10.0.64.0/18")); },
                "10.0.64.0/18 is one subnet already; there is nothing to join."},
    RefusalCase{"label vlan", [](const Plan& p) { return labelSubnet(p, net("10.0.2.0/24"), named("x", 4095)); },
                "10.0.2.0/24: VLAN 4095 is not from 1 to 4094."},
    RefusalCase{"label colour", [](const Plan& p) { return labelSubnet(p, net("10.0.2.0/24"), named("x", 1, "#12345")); },
                "10.0.2.0/24: A colour is #rrggbb, six hexadecimal digits."},
    RefusalCase{"label name line", [](const Plan& p) { return labelSubnet(p, net("10.0.2.0/24"), named("a\nb")); },
                "10.0.2.0/24: A name is one line without control characters; a note holds more."},
    RefusalCase{"hosts too many", [](const Plan& p) {
                    const HostRequest r[] = {{300, "big"}};
                    return planHostsIn(p, net("10.0.2.0/24"), r); },
                "These hosts need 512 addresses; 10.0.2.0/24 has 256."},
    RefusalCase{"add overlapping", [](const Plan& p) { return addNetwork(p, net("10.0.128.0/17")); },
                "10.0.128.0/17 overlaps 10.0.0.0/16, a network of the plan."},
    RefusalCase{"add host bits", [](const Plan& p) { return addNetwork(p, {Family::IPv4, 0x0A010001, 16}); },
                "10.1.0.1/16 has host bits set; 10.1.0.0/16 is the network."},
    RefusalCase{"remove unknown", [](const Plan& p) { return removeNetwork(p, net("10.0.0.0/17")); },
                "10.0.0.0/17 is no network of the plan."},
    RefusalCase{"move other length", [](const Plan& p) { return moveNetwork(p, net("10.0.0.0/16"), net("10.1.0.0/17")); },
                "10.0.0.0/16 moves only to another block of /16, not to 10.1.0.0/17."},
    RefusalCase{"move to host bits", [](const Plan& p) { return moveNetwork(p, net("10.0.0.0/16"), {Family::IPv4, 0x0B000001, 16}); },
                "11.0.0.1/16 has host bits set; 11.0.0.0/16 is the network."},
    RefusalCase{"add past the family", [](const Plan& p) { return addNetwork(p, {Family::IPv4, 0x0B000000, 33}); },
                "/33 is no prefix length of IPv4."},
    RefusalCase{"resize past the family", [](const Plan& p) { return resizeNetwork(p, net("10.0.0.0/16"), 33); },
                "10.0.0.0/16 cannot be resized to /33."},
    RefusalCase{"shrink over labels", [](const Plan& p) { return resizeNetwork(p, net("10.0.0.0/16"), 24); },
                "10.0.0.0/16 cannot shrink to 10.0.0.0/24: labelled subnets lie outside it: 10.0.1.0/24."}));
// clang-format on

TEST(PlanOperations, TooManySubnetsAreCountedExactly) {
    Plan plan = planOf({"::/0", "10.0.0.0/8"});
    done(plan, splitSubnet(plan, net("10.0.0.0/8"), 12));
    EXPECT_EQ(
        splitSubnet(plan, net("::/0"), 128).reason,
        "::/0 into /128: that would make 340282366920938463463374607431768211472 subnets in "
        "the plan (340282366920938463463374607431768211456 and the other 16); a plan holds up "
        "to 1048576 ('quellan split' lists any number).");
    // One past the limit: 2^20, the 15 /12s beside the one split, and ::/0.
    EXPECT_EQ(splitSubnet(plan, net("10.0.0.0/12"), 32).reason,
              "10.0.0.0/12 into /32: that would make 1048592 subnets in the plan (1048576 and the "
              "other 16); a plan holds up to 1048576 ('quellan split' lists any number).");
}

TEST(SubnetLabelsShared, AChangeStaysWithTheCopyChanged) {
    const Subnet first{net("10.0.0.0/24"), named("A", 10)};
    Subnet second = first;
    second.labels.edit().name = "B";
    EXPECT_EQ(first.labels->name, "A");
    EXPECT_EQ(second.labels->name, "B");
    EXPECT_EQ(second.labels->vlan, 10);
    // Labels made empty again are no labels.
    Subnet cleared = second;
    cleared.labels.edit() = Labels{};
    EXPECT_TRUE(cleared.labels == SubnetLabels{});
    EXPECT_FALSE(first.labels == SubnetLabels{});
}

TEST(PlanOperations, RemovingTheLastNetworkIsRefused) {
    const Plan plan = planOf({"10.0.0.0/8"});
    EXPECT_EQ(removeNetwork(plan, net("10.0.0.0/8")).reason,
              "10.0.0.0/8 is the plan's only network; a plan holds one at least.");
}

TEST(PlanOperations, ShrinkingKeepsWhatIsInsideAndAFreeStraddler) {
    Plan plan = planOf({"10.0.0.0/16"});
    done(plan, splitSubnet(plan, net("10.0.0.0/16"), 17));
    done(plan, labelSubnet(plan, net("10.0.0.0/17"), named("Inside")));
    done(plan, resizeNetwork(plan, net("10.0.0.0/16"), 18));
    ASSERT_EQ(plan.networks.size(), 1U);
    ASSERT_EQ(plan.networks[0].subnets.size(), 1U);
    EXPECT_EQ(plan.networks[0].subnets[0].block, net("10.0.0.0/18"));
    EXPECT_EQ(plan.networks[0].subnets[0].labels->name, "Inside");
}

TEST(PlanOperations, GrowingAndMovingKeepEachSubnetsOffset) {
    Plan plan = planOf({"192.168.1.0/24"});
    done(plan, splitSubnet(plan, net("192.168.1.0/24"), 26));
    done(plan, labelSubnet(plan, net("192.168.1.64/26"), named("B")));
    done(plan, resizeNetwork(plan, net("192.168.1.0/24"), 22));
    EXPECT_EQ(tilingFault(plan), "");
    EXPECT_EQ(plan.networks[0].block, net("192.168.0.0/22"));
    done(plan, moveNetwork(plan, net("192.168.0.0/22"), net("10.0.4.0/22")));
    const auto place = findSubnet(plan, net("10.0.5.64/26"));
    ASSERT_TRUE(place);
    EXPECT_EQ(plan.networks[0].subnets[place->subnet].labels->name, "B");
}

TEST(PlanOperations, HostsTakeTheProfilesReservedAddresses) {
    // 27 hosts and 5 reserved need 32 addresses on aws, 27 and 2 fit a /27
    // on standard as well; 28 hosts pass a /27 on aws but not on standard.
    struct Case {
        Profile profile;
        Uint128 count;
        std::string_view first;
    } const cases[] = {{Profile::Standard, 28, "10.0.0.0/27"},
                       {Profile::Aws, 27, "10.0.0.0/27"},
                       {Profile::Aws, 28, "10.0.0.0/26"},
                       {Profile::Gcp, 29, "10.0.0.0/26"},
                       {Profile::Oci, 29, "10.0.0.0/27"}};
    for (const Case& c : cases) {
        Plan plan = planOf({"10.0.0.0/24"}, c.profile);
        const HostRequest requests[] = {{c.count, "A"}, {2, "B"}};
        done(plan, planHostsIn(plan, net("10.0.0.0/24"), requests));
        EXPECT_EQ(tilingFault(plan), "");
        const Subnet& first = plan.networks[0].subnets[0];
        EXPECT_EQ(cidrText(first.block), c.first);
        EXPECT_EQ(first.labels->name, "A");
        EXPECT_EQ(first.labels->hosts, c.count);
        EXPECT_EQ(plan.networks[0].subnets[1].labels->name, "B");
        EXPECT_EQ(plan.networks[0].subnets[2].labels->name, "");
    }
}

TEST(PlanOperations, JoinKeepsTheChosenSidesLabels) {
    const Plan plan = sample();
    for (const JoinKeep keep : {JoinKeep::Lower, JoinKeep::Upper}) {
        Plan joined = plan;
        done(joined, joinSubnet(joined, net("10.0.0.0/24"), keep));
        const auto place = findSubnet(joined, net("10.0.0.0/23"));
        ASSERT_TRUE(place);
        EXPECT_EQ(joined.networks[0].subnets[place->subnet].labels->vlan,
                  keep == JoinKeep::Lower ? 10 : 11);
        EXPECT_EQ(joined.networks[0].subnets[place->subnet].labels->name, "Servers");
    }
}

// The subnets of the first network: "10.0.0.0/24 Servers 10", each with its
// name and VLAN where it has them.
std::string firstNetwork(const Plan& plan) {
    std::string text;
    for (const Subnet& subnet : plan.networks[0].subnets) {
        text += (text.empty() ? "" : "; ") + cidrText(subnet.block);
        if (!subnet.labels->name.empty())
            text += " " + subnet.labels->name;
        if (subnet.labels->vlan)
            text += " " + std::to_string(*subnet.labels->vlan);
    }
    return text;
}

struct JoinBlockCase {
    std::string_view block;
    JoinKeep keep;
    std::string subnets;
};

class JoinBlock : public testing::TestWithParam<JoinBlockCase> {};

// 10.0.0.0/24 split in /26s named A, B (VLAN 7) and C, and the last free.
TEST_P(JoinBlock, TakesEveryLevelAndTheChosenLabels) {
    Plan plan = planOf({"10.0.0.0/24", "2001:db8::/64"});
    done(plan, splitSubnet(plan, net("10.0.0.0/24"), 26));
    const char* const names[] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i) {
        Labels labels = named(names[i], i == 1 ? std::optional<std::int32_t>(7) : std::nullopt);
        done(plan, labelSubnet(plan, plan.networks[0].subnets[static_cast<std::size_t>(i)].block,
                               labels));
    }
    const Plan start = plan;
    const PlanResult joined = joinBlock(plan, net(GetParam().block), GetParam().keep);
    done(plan, joined);
    EXPECT_EQ(tilingFault(plan), "");
    EXPECT_EQ(firstNetwork(plan), GetParam().subnets);
    apply(plan, inverse(joined.change));
    EXPECT_TRUE(plan == start);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Levels, JoinBlock, testing::Values(
    JoinBlockCase{"10.0.0.0/24", JoinKeep::Lower, "10.0.0.0/24 A 7"},
    JoinBlockCase{"10.0.0.0/24", JoinKeep::Upper, "10.0.0.0/24 C 7"},
    JoinBlockCase{"10.0.0.128/25", JoinKeep::Ask, "10.0.0.0/26 A; 10.0.0.64/26 B 7; 10.0.0.128/25 C"},
    JoinBlockCase{"10.0.0.0/25", JoinKeep::Upper, "10.0.0.0/25 B 7; 10.0.0.128/26 C; 10.0.0.192/26"}));
// clang-format on

TEST(PlanOperations, JoinBlockNamesTheFirstTwoOfManyLabels) {
    Plan plan = planOf({"10.0.0.0/24"});
    done(plan, splitSubnet(plan, net("10.0.0.0/24"), 26));
    for (const char name : {'A', 'B', 'C'}) {
        const Block& block = plan.networks[0].subnets[static_cast<std::size_t>(name - 'A')].block;
        const char digit = static_cast<char>(name - 'A' + 'a');
        done(plan,
             labelSubnet(plan, block, named({name}, std::nullopt, "#00000" + std::string{digit})));
    }
    EXPECT_EQ(joinBlock(plan, net("10.0.0.0/24")).reason,
              "The subnets of 10.0.0.0/24 differ in name (\"A\", \"B\", …) and colour (#00000a, "
              "#00000b, …); say whose labels to keep.");
}

// A block of two subnets joins as either half joins with its sibling.
TEST(PlanOperations, JoinBlockOfTwoHalvesIsAJoin) {
    const Plan plan = sample();
    for (const char* half : {"10.0.0.0/24", "10.0.1.0/24", "10.0.2.0/24", "10.0.128.0/18"})
        for (const JoinKeep keep : {JoinKeep::Ask, JoinKeep::Lower, JoinKeep::Upper}) {
            const Block block = net(half);
            const PlanResult sibling = joinSubnet(plan, block, keep);
            const PlanResult whole =
                joinBlock(plan, blockAround(block.family, block.first, block.length - 1), keep);
            EXPECT_EQ(sibling.reason.empty(), whole.reason.empty()) << half;
            EXPECT_EQ(sibling.change.removed, whole.change.removed) << half;
            EXPECT_EQ(sibling.change.added, whole.change.added) << half;
        }
}

TEST(PlanOperations, TheWholeSpaceAndItsLastBlocks) {
    Plan plan = planOf({"::/0", "0.0.0.0/0"});
    EXPECT_EQ(cidrText(plan.networks[0].block), "0.0.0.0/0");
    done(plan, splitSubnet(plan, net("::/0"), 1));
    done(plan, splitSubnet(plan, net("8000::/1"), 12));
    done(plan, splitSubnet(plan, net("0.0.0.0/0"), 1));
    done(plan, resizeNetwork(plan, net("0.0.0.0/0"), 32));
    EXPECT_EQ(tilingFault(plan), "");
    EXPECT_EQ(plan.subnetCount(), 1U + 1 + (1U << 11));
    EXPECT_EQ(cidrText(plan.networks[1].subnets.back().block), "fff0::/12");
    done(plan, joinSubnet(plan, net("fff0::/12")));
    EXPECT_EQ(tilingFault(plan), "");
}

// Random operations from several plans: the tiling holds after each, a
// refused one brings no change, undoing each step in reverse gives the start
// back, and a split in halves joined again gives the subnet back.
TEST(PlanProperties, RandomOperationSequences) {
    for (std::uint64_t seed = 1; seed <= 24; ++seed) {
        std::mt19937_64 engine(seed);
        const check::Draw draw = [&engine] { return engine(); };
        Plan plan = planOf({"10.0.0.0/20", "255.255.255.0/24", "2001:db8::/120",
                            "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ff00/120"},
                           static_cast<Profile>(seed % 5));
        const Plan start = plan;
        std::vector<PlanChange> done;
        for (int step = 0; step < 60; ++step) {
            const PlanResult result = check::drawOperation(plan, draw);
            if (!result.reason.empty()) {
                EXPECT_TRUE(result.change.removed.empty() && result.change.added.empty() &&
                            result.change.addedNetworks.empty() &&
                            result.change.removedNetworks.empty());
                continue;
            }
            apply(plan, result.change);
            done.push_back(result.change);
            ASSERT_EQ(check::tilingFault(plan), "") << "seed " << seed << " step " << step;
            ASSERT_LE(plan.subnetCount(), kMostSubnets);

            Subnet before = plan.networks[0].subnets[0];
            const Block whole = before.block;
            if (whole.length < 32) {
                Plan halves = plan;
                Labels cleared = before.labels;
                cleared.hosts.reset();
                apply(halves, labelSubnet(halves, whole, cleared).change);
                const Plan cleaned = halves;
                apply(halves, splitSubnet(halves, whole, whole.length + 1).change);
                const PlanResult joined =
                    joinSubnet(halves, {whole.family, whole.first, whole.length + 1});
                ASSERT_EQ(joined.reason, "");
                apply(halves, joined.change);
                ASSERT_TRUE(halves == cleaned) << "seed " << seed << " step " << step;
            }
        }
        // Most draws are meant to be done, so the sequence goes somewhere.
        EXPECT_GT(done.size(), 30U) << "seed " << seed;
        for (std::size_t i = done.size(); i-- > 0;)
            apply(plan, inverse(done[i]));
        EXPECT_TRUE(plan == start) << "seed " << seed;
    }
}

} // namespace
