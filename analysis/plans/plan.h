#pragma once

// A network plan: networks of either family, none overlapping, each tiled
// exactly by its subnets, and the labels people keep on each subnet. Every
// operation is a pure function of the plan that returns the change it makes
// (what is taken out, what is put in) or the reason it is refused, so that a
// window can apply it, and undo it by applying its inverse.

#include "networks/ip_block.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quellan {

// More subnets than this in one plan are refused: `quellan split` lists more.
inline constexpr std::size_t kMostSubnets = std::size_t{1} << 20;

// Which addresses of each IPv4 subnet are not for hosts. IPv6 subnets count
// every address under any profile.
enum class Profile { Standard, Aws, Azure, Gcp, Oci };

std::string_view profileName(Profile profile);
std::optional<Profile> profileNamed(std::string_view name);
// "standard, aws, azure, gcp, oci", for a refusal.
std::string profileNames();

// A key this program does not know, with its value as compact JSON text,
// kept so that a newer file's extra keys survive a round trip.
struct ExtraKey {
    std::string key;
    std::string json;
    bool operator==(const ExtraKey&) const = default;
};

// In an order that leaves no padding.
struct Labels {
    // Empty for a free subnet.
    std::string name;
    std::string note;
    // "#rrggbb", or empty.
    std::string color;
    std::vector<ExtraKey> extra;
    std::optional<std::int32_t> vlan;
    std::optional<Uint128> hosts;
    bool operator==(const Labels&) const = default;
};

// A subnet's labels, shared by copies of the subnet until one of them is
// changed: a free subnet holds none at all, and the 65,536 subnets of a
// split hold one set between them. Most subnets of a large plan are free,
// and a plan of a million subnets is then a quarter of the memory (and of
// the time to open, most of which is the system handing out memory).
class SubnetLabels {
public:
    SubnetLabels() = default;
    // Implicit, so that {block, labels} makes a subnet.
    SubnetLabels(const Labels& labels);

    operator const Labels&() const { return get(); }
    const Labels& get() const;
    const Labels* operator->() const { return &get(); }
    // The labels to change, this subnet's own from then on.
    Labels& edit();

    bool operator==(const SubnetLabels& other) const { return get() == other.get(); }

private:
    std::shared_ptr<Labels> labels_;
};

struct Subnet {
    Block block;
    SubnetLabels labels;
};

struct PlanNetwork {
    Block block;
    std::string name;
    std::vector<ExtraKey> extra;
    // In address order, covering `block` exactly.
    std::vector<Subnet> subnets;
};

struct Plan {
    Profile profile = Profile::Standard;
    // IPv4 first, then IPv6, each in address order; never empty.
    std::vector<PlanNetwork> networks;
    std::vector<ExtraKey> extra;

    std::size_t subnetCount() const;
};

bool operator==(const Block& a, const Block& b);
bool operator==(const Subnet& a, const Subnet& b);
bool operator==(const PlanNetwork& a, const PlanNetwork& b);
bool operator==(const Plan& a, const Plan& b);

// Address order, IPv4 before IPv6; for blocks that start together, the
// longer one (the smaller) first.
bool addressOrder(const Block& a, const Block& b);

// Why a label is refused; empty when it can be kept.
std::string vlanReason(std::int64_t vlan);
std::string colorReason(std::string_view color);
std::string nameReason(std::string_view name);
// Text must be well-formed UTF-8 (RFC 3629).
bool isUtf8(std::string_view text);
// How many bytes from the start are well-formed UTF-8.
std::size_t utf8Prefix(std::string_view text);

// What a profile leaves for hosts in a subnet.
struct Usable {
    // False when nothing is left (an aws /30); first and last mean nothing then.
    bool any = false;
    Uint128 first = 0;
    Uint128 last = 0;
};
Usable usableOf(Profile profile, const Block& subnet);
// The count of usable addresses in decimal: up to 2^128 for an IPv6 /0.
void appendUsableCount(std::string& out, Profile profile, const Block& subnet);
// The addresses a subnet of the profile keeps besides its hosts, as the
// sizing of planned hosts counts them: 1 for IPv6 (its anycast address).
Uint128 reservedForHosts(Profile profile, Family family);

// The change an operation makes. Networks are named by their blocks, and
// subnets are replaced as one run of neighbours in one network, so a change
// applies to the plan it was worked out on and its inverse to the result.
struct PlanChange {
    std::vector<PlanNetwork> removedNetworks;
    std::vector<PlanNetwork> addedNetworks;
    // The subnets replaced inside `network`, a network that stays.
    Block network;
    std::vector<Subnet> removed;
    std::vector<Subnet> added;
};

struct PlanResult {
    PlanChange change;
    // Why the operation is refused, naming the subnet; empty when it is not.
    std::string reason;
};

void apply(Plan& plan, const PlanChange& change);
PlanChange inverse(const PlanChange& change);

// The network holding `block` and the index of the subnet that is exactly
// `block` in it; empty when there is none.
struct SubnetPlace {
    std::size_t network = 0;
    std::size_t subnet = 0;
};
std::optional<SubnetPlace> findSubnet(const Plan& plan, const Block& block);

PlanResult splitSubnet(const Plan& plan, const Block& subnet, std::int32_t length);

// Whose label stays where the two halves of a join disagree.
enum class JoinKeep { Ask, Lower, Upper };
PlanResult joinSubnet(const Plan& plan, const Block& subnet, JoinKeep keep = JoinKeep::Ask);
// Every subnet inside `block` as one subnet of it, however deep the block
// is split. Where labels disagree, Lower keeps the first subnet's that has
// the label, and Upper the last's.
PlanResult joinBlock(const Plan& plan, const Block& block, JoinKeep keep = JoinKeep::Ask);

struct HostRequest {
    Uint128 count = 0;
    std::string name;
};
PlanResult planHostsIn(const Plan& plan, const Block& subnet,
                       std::span<const HostRequest> requests);

PlanResult labelSubnet(const Plan& plan, const Block& subnet, const Labels& labels);

PlanResult addNetwork(const Plan& plan, const Block& network, std::string name = {});
PlanResult removeNetwork(const Plan& plan, const Block& network);
// To another block of the same length, each subnet at the same offset.
PlanResult moveNetwork(const Plan& plan, const Block& network, const Block& to);
// Keeps the network's first address; a shorter length adds free space, a
// longer one gives up space that only free subnets hold.
PlanResult resizeNetwork(const Plan& plan, const Block& network, std::int32_t length);

// A plan of the given networks, each one free subnet; empty networks and a
// reason when they overlap or are too many.
struct NewPlan {
    Plan plan;
    std::string reason;
};
NewPlan newPlan(std::span<const Block> networks, Profile profile);

// "the subnets of 10.0.0.0/24": a CIDR in a reason.
std::string cidrText(const Block& block);

} // namespace quellan
