#include "plans/plan.h"

#include "addresses/number_text.h"
#include "networks/block_text.h"
#include "networks/host_plan.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <type_traits>

namespace quellan {

namespace {

constexpr std::array<std::string_view, 5> kProfileNames{"standard", "aws", "azure", "gcp", "oci"};

bool overlap(const Block& a, const Block& b) {
    return a.family == b.family && a.first <= lastOf(b) && b.first <= lastOf(a);
}

bool holds(const Block& outer, const Block& inner) {
    return outer.family == inner.family && outer.length <= inner.length &&
           outer.first <= inner.first && lastOf(inner) <= lastOf(outer);
}

std::string tooMany(std::size_t count) {
    std::string reason = "That would make ";
    appendDecimal(reason, static_cast<std::int64_t>(count));
    reason += " subnets; a plan holds up to ";
    appendDecimal(reason, static_cast<std::int64_t>(kMostSubnets));
    reason += " ('quellan split' lists any number).";
    return reason;
}

// `digits` plus `more`, both whole numbers, in decimal: a split of ::/0
// into /128s makes 2^128 subnets and more, past any integer type.
std::string decimalSum(const std::string& digits, std::size_t more) {
    std::string sum; // last digit first
    std::size_t carry = more;
    for (std::size_t i = digits.size(); i > 0 || carry != 0;) {
        std::size_t value = carry;
        if (i > 0)
            value += static_cast<std::size_t>(digits[--i] - '0');
        sum.push_back(static_cast<char>('0' + value % 10));
        carry = value / 10;
    }
    return {sum.rbegin(), sum.rend()};
}

PlanResult refused(std::string reason) {
    return {{}, std::move(reason)};
}

std::string notInPlan(const Block& block) {
    return cidrText(block) + " is no subnet of the plan.";
}

const PlanNetwork* findNetwork(const Plan& plan, const Block& block) {
    for (const PlanNetwork& network : plan.networks)
        if (network.block == block)
            return &network;
    return nullptr;
}

// Why `block` cannot be a network of `plan` beside the networks other than
// `except`; empty when it can.
std::string networkPlaceReason(const Plan& plan, const Block& block, const Block* except) {
    if (block.length < 0 || block.length > familyBits(block.family))
        return "/" + std::to_string(block.length) + " is no prefix length of " +
               (block.family == Family::IPv4 ? "IPv4." : "IPv6.");
    if ((block.first & hostMask(block.family, block.length)) != 0)
        return cidrText(block) + " has host bits set; " +
               cidrText(blockAround(block.family, block.first, block.length)) + " is the network.";
    for (const PlanNetwork& other : plan.networks)
        if ((except == nullptr || !(other.block == *except)) && overlap(other.block, block))
            return cidrText(block) + " overlaps " + cidrText(other.block) +
                   ", a network of the plan.";
    return {};
}

void appendFreeBlocks(std::vector<Subnet>& out, const Range& range) {
    forEachBlock(range, [&out](const Block& block) {
        out.push_back({block, {}});
        return true;
    });
}

// One label of neighbours being joined: the first and last that are set,
// and the first two that differ, for a refusal to name.
template <typename Value> struct FieldJoin {
    const Value* first = nullptr;
    const Value* second = nullptr;
    const Value* last = nullptr;
    bool more = false;

    void add(const Value& value) {
        if (value == Value{})
            return;
        if (first == nullptr)
            first = &value;
        else if (second == nullptr && value != *first)
            second = &value;
        else if (second != nullptr && value != *first && value != *second)
            more = true;
        last = &value;
    }
};

// Neighbours' labels as one: a label set on one of them only is kept, and
// where they disagree `keep` says whose; each disagreement the joined
// labels could not settle is named in `conflicts`, with its first values.
Labels joinLabels(std::span<const Subnet> subnets, JoinKeep keep,
                  std::vector<std::string>& conflicts) {
    Labels joined;
    const auto field = [&](auto Labels::*member, const char* what, const auto& text) {
        FieldJoin<std::remove_reference_t<decltype(joined.*member)>> join;
        for (const Subnet& subnet : subnets)
            join.add(subnet.labels.get().*member);
        if (join.first == nullptr)
            return;
        joined.*member = keep == JoinKeep::Upper ? *join.last : *join.first;
        if (join.second == nullptr || keep != JoinKeep::Ask)
            return;
        std::string conflict = what;
        const std::string a = text(*join.first);
        if (!a.empty())
            conflict += " (" + a + ", " + text(*join.second) + (join.more ? ", …)" : ")");
        conflicts.push_back(std::move(conflict));
    };
    const auto quoted = [](const std::string& text) { return "\"" + text + "\""; };
    const auto number = [](const auto& value) {
        std::string text;
        appendDecimal128(text, static_cast<Uint128>(*value));
        return text;
    };
    const auto unnamed = [](const auto&) { return std::string{}; };
    field(&Labels::name, "name", quoted);
    field(&Labels::vlan, "VLAN", number);
    field(&Labels::hosts, "hosts", number);
    field(&Labels::note, "note", unnamed);
    field(&Labels::color, "colour", [](const std::string& color) { return color; });
    field(&Labels::extra, "other keys", unnamed);
    return joined;
}

std::string differIn(std::string who, const std::vector<std::string>& conflicts) {
    who += " differ in ";
    for (std::size_t i = 0; i < conflicts.size(); ++i)
        who.append(i == 0 ? "" : i + 1 == conflicts.size() ? " and " : ", ").append(conflicts[i]);
    return who + "; say whose labels to keep.";
}

} // namespace

std::string_view profileName(Profile profile) {
    return kProfileNames.at(static_cast<std::size_t>(profile));
}

std::optional<Profile> profileNamed(std::string_view name) {
    for (std::size_t i = 0; i < kProfileNames.size(); ++i)
        if (kProfileNames[i] == name)
            return static_cast<Profile>(i);
    return std::nullopt;
}

std::string profileNames() {
    std::string names;
    for (const std::string_view name : kProfileNames)
        names.append(names.empty() ? "" : ", ").append(name);
    return names;
}

std::size_t Plan::subnetCount() const {
    std::size_t count = 0;
    for (const PlanNetwork& network : networks)
        count += network.subnets.size();
    return count;
}

SubnetLabels::SubnetLabels(const Labels& labels) {
    if (!(labels == Labels{}))
        labels_ = std::make_shared<Labels>(labels);
}

const Labels& SubnetLabels::get() const {
    static const Labels kNone;
    return labels_ ? *labels_ : kNone;
}

Labels& SubnetLabels::edit() {
    if (!labels_)
        labels_ = std::make_shared<Labels>();
    else if (labels_.use_count() > 1)
        labels_ = std::make_shared<Labels>(*labels_);
    return *labels_;
}

bool operator==(const Block& a, const Block& b) {
    return a.family == b.family && a.first == b.first && a.length == b.length;
}
bool operator==(const Subnet& a, const Subnet& b) {
    return a.block == b.block && a.labels == b.labels;
}
bool operator==(const PlanNetwork& a, const PlanNetwork& b) {
    return a.block == b.block && a.name == b.name && a.extra == b.extra && a.subnets == b.subnets;
}
bool operator==(const Plan& a, const Plan& b) {
    return a.profile == b.profile && a.networks == b.networks && a.extra == b.extra;
}

bool addressOrder(const Block& a, const Block& b) {
    if (a.family != b.family)
        return a.family == Family::IPv4;
    if (a.first != b.first)
        return a.first < b.first;
    return a.length < b.length;
}

std::string vlanReason(std::int64_t vlan) {
    if (vlan >= 1 && vlan <= 4094)
        return {};
    std::string reason = "VLAN ";
    appendDecimal(reason, vlan);
    return reason + " is not from 1 to 4094.";
}

std::string colorReason(std::string_view color) {
    const auto hex = [](char c) {
        return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    };
    if (color.size() == 7 && color[0] == '#' && std::all_of(color.begin() + 1, color.end(), hex))
        return {};
    return "A colour is #rrggbb, six hexadecimal digits.";
}

std::string nameReason(std::string_view name) {
    if (!isUtf8(name))
        return "A name is UTF-8 text.";
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    return control ? "A name is one line without control characters; a note holds more." : "";
}

bool isUtf8(std::string_view text) {
    return utf8Prefix(text) == text.size();
}

std::size_t utf8Prefix(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return i;
        }
        if (text.size() - i < length)
            return i;
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if (second < low || second > high)
            return i;
        for (std::size_t k = 2; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return i;
        i += length;
    }
    return text.size();
}

Usable usableOf(Profile profile, const Block& subnet) {
    const Range hosts = usableRange(subnet);
    // No provider keeps any of an IPv6 subnet's addresses.
    if (subnet.family == Family::IPv6)
        return {true, hosts.first, hosts.last};
    // A provider keeps its addresses at the subnet's own ends and gives no
    // /31 to a point-to-point link: RFC 3021 is the standard rule's alone.
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    switch (profile) {
    case Profile::Standard:
        return {true, hosts.first, hosts.last};
    case Profile::Aws:
    case Profile::Azure:
        low = 4;
        high = 1;
        break;
    case Profile::Gcp:
        low = 2;
        high = 2;
        break;
    case Profile::Oci:
        low = 2;
        high = 1;
        break;
    }
    const std::uint64_t size = std::uint64_t{1} << (32 - subnet.length);
    if (size <= low + high)
        return {};
    return {true, subnet.first + low, lastOf(subnet) - high};
}

void appendUsableCount(std::string& out, Profile profile, const Block& subnet) {
    const Usable usable = usableOf(profile, subnet);
    if (!usable.any)
        out.push_back('0');
    else if (usable.first == 0 && usable.last == ~Uint128{0})
        appendPowerOfTwo(out, 128);
    else
        appendDecimal128(out, usable.last - usable.first + 1);
}

Uint128 reservedForHosts(Profile profile, Family family) {
    if (family == Family::IPv6)
        return 1;
    switch (profile) {
    case Profile::Aws:
    case Profile::Azure:
        return 5;
    case Profile::Gcp:
        return 4;
    case Profile::Oci:
        return 3;
    case Profile::Standard:
        break;
    }
    return 2;
}

void apply(Plan& plan, const PlanChange& change) {
    auto& networks = plan.networks;
    for (const PlanNetwork& gone : change.removedNetworks)
        std::erase_if(networks, [&gone](const PlanNetwork& n) { return n.block == gone.block; });
    for (const PlanNetwork& added : change.addedNetworks) {
        const auto at = std::lower_bound(
            networks.begin(), networks.end(), added.block,
            [](const PlanNetwork& n, const Block& b) { return addressOrder(n.block, b); });
        networks.insert(at, added);
    }
    if (change.removed.empty())
        return;
    for (PlanNetwork& network : networks) {
        if (!(network.block == change.network))
            continue;
        auto& subnets = network.subnets;
        const auto at =
            std::lower_bound(subnets.begin(), subnets.end(), change.removed.front().block.first,
                             [](const Subnet& s, Uint128 first) { return s.block.first < first; });
        const auto end = at + static_cast<std::ptrdiff_t>(change.removed.size());
        const auto from = subnets.erase(at, end);
        subnets.insert(from, change.added.begin(), change.added.end());
        return;
    }
}

PlanChange inverse(const PlanChange& change) {
    return {change.addedNetworks, change.removedNetworks, change.network, change.added,
            change.removed};
}

std::optional<SubnetPlace> findSubnet(const Plan& plan, const Block& block) {
    for (std::size_t n = 0; n < plan.networks.size(); ++n) {
        const PlanNetwork& network = plan.networks[n];
        if (!holds(network.block, block))
            continue;
        const auto& subnets = network.subnets;
        const auto at =
            std::lower_bound(subnets.begin(), subnets.end(), block.first,
                             [](const Subnet& s, Uint128 first) { return s.block.first < first; });
        if (at != subnets.end() && at->block == block)
            return SubnetPlace{n, static_cast<std::size_t>(at - subnets.begin())};
        return std::nullopt;
    }
    return std::nullopt;
}

PlanResult splitSubnet(const Plan& plan, const Block& subnet, std::int32_t length) {
    const auto place = findSubnet(plan, subnet);
    if (!place)
        return refused(notInPlan(subnet));
    const std::int32_t width = familyBits(subnet.family);
    if (length <= subnet.length || length > width) {
        std::string reason = cidrText(subnet) + " splits into lengths from ";
        appendDecimal(reason, subnet.length + 1);
        reason += " to ";
        appendDecimal(reason, width);
        return refused(reason + ", not /" + std::to_string(length) + ".");
    }
    const std::int32_t bits = length - subnet.length;
    const std::size_t total = plan.subnetCount() - 1;
    if (bits > 20 || total + (std::size_t{1} << bits) > kMostSubnets) {
        std::string children;
        appendPowerOfTwo(children, bits);
        std::string reason = cidrText(subnet) + " into /" + std::to_string(length) +
                             ": that would make " + decimalSum(children, total) +
                             " subnets in the plan (" + children + " and the other " +
                             std::to_string(total) + "); a plan holds up to ";
        appendDecimal(reason, static_cast<std::int64_t>(kMostSubnets));
        return refused(reason + " ('quellan split' lists any number).");
    }
    const PlanNetwork& network = plan.networks[place->network];
    const Subnet& parent = network.subnets[place->subnet];
    PlanResult result;
    result.change.network = network.block;
    result.change.removed = {parent};
    Labels labels = parent.labels;
    labels.hosts.reset();
    // One set of labels for all the children.
    const SubnetLabels shared(labels);
    const std::size_t count = std::size_t{1} << bits;
    result.change.added.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        result.change.added.push_back(
            {{subnet.family, subnet.first + (Uint128{i} << (width - length)), length}, shared});
    return result;
}

PlanResult joinSubnet(const Plan& plan, const Block& subnet, JoinKeep keep) {
    const auto place = findSubnet(plan, subnet);
    if (!place)
        return refused(notInPlan(subnet));
    const PlanNetwork& network = plan.networks[place->network];
    if (subnet.length == network.block.length)
        return refused(cidrText(subnet) + " is the whole network; it has no other half.");
    const Uint128 half = Uint128{1} << (familyBits(subnet.family) - subnet.length);
    const Block sibling{subnet.family, subnet.first ^ half, subnet.length};
    const auto other = findSubnet(plan, sibling);
    if (!other)
        return refused("The other half of " + cidrText(subnet) + ", " + cidrText(sibling) +
                       ", is split; join its parts first.");
    const std::size_t at = std::min(place->subnet, other->subnet);
    const std::span<const Subnet> halves(network.subnets.data() + at, 2);
    std::vector<std::string> conflicts;
    const Labels joined = joinLabels(halves, keep, conflicts);
    if (!conflicts.empty())
        return refused(
            differIn(cidrText(halves[0].block) + " and " + cidrText(halves[1].block), conflicts));
    PlanResult result;
    result.change.network = network.block;
    result.change.removed.assign(halves.begin(), halves.end());
    result.change.added = {{{subnet.family, halves[0].block.first, subnet.length - 1}, joined}};
    return result;
}

PlanResult joinBlock(const Plan& plan, const Block& block, JoinKeep keep) {
    const auto network =
        std::find_if(plan.networks.begin(), plan.networks.end(), [&block](const PlanNetwork& n) {
            return block.length <= familyBits(block.family) && holds(n.block, block);
        });
    if (network == plan.networks.end() ||
        block.first != blockAround(block.family, block.first, block.length).first)
        return refused(cidrText(block) + " is no block of a network of the plan.");
    const auto& subnets = network->subnets;
    // The last subnet that starts at or before the block, which holds its
    // first address.
    const auto from = std::prev(
        std::upper_bound(subnets.begin(), subnets.end(), block.first,
                         [](Uint128 first, const Subnet& s) { return first < s.block.first; }));
    if (from->block.length < block.length)
        return refused(cidrText(block) + " lies in the subnet " + cidrText(from->block) +
                       "; there is nothing to join.");
    const auto to =
        std::upper_bound(from, subnets.end(), lastOf(block),
                         [](Uint128 last, const Subnet& s) { return last < s.block.first; });
    if (to - from == 1)
        return refused(cidrText(block) + " is one subnet already; there is nothing to join.");
    const std::span<const Subnet> parts(&*from, static_cast<std::size_t>(to - from));
    std::vector<std::string> conflicts;
    const Labels joined = joinLabels(parts, keep, conflicts);
    if (!conflicts.empty())
        return refused(differIn("The subnets of " + cidrText(block), conflicts));
    PlanResult result;
    result.change.network = network->block;
    result.change.removed.assign(parts.begin(), parts.end());
    result.change.added = {{block, joined}};
    return result;
}

PlanResult planHostsIn(const Plan& plan, const Block& subnet,
                       std::span<const HostRequest> requests) {
    const auto place = findSubnet(plan, subnet);
    if (!place)
        return refused(notInPlan(subnet));
    if (requests.empty())
        return refused("No hosts to plan in " + cidrText(subnet) + ".");
    std::vector<Uint128> counts;
    for (const HostRequest& request : requests) {
        if (request.count == 0)
            return refused(cidrText(subnet) + ": A count of hosts is at least 1.");
        if (request.name.empty())
            return refused(cidrText(subnet) + ": Each group of hosts needs a name.");
        if (std::string reason = nameReason(request.name); !reason.empty())
            return refused(cidrText(subnet) + ": " + reason);
        counts.push_back(request.count);
    }
    const HostPlan hosts = planHosts(subnet, counts, reservedForHosts(plan.profile, subnet.family));
    if (!hosts.reason.empty())
        return refused(hosts.reason); // it names the subnet
    const std::size_t total = plan.subnetCount() - 1 + hosts.blocks.size();
    if (total > kMostSubnets)
        return refused(cidrText(subnet) + ": " + tooMany(total));

    const PlanNetwork& network = plan.networks[place->network];
    const Subnet& parent = network.subnets[place->subnet];
    PlanResult result;
    result.change.network = network.block;
    result.change.removed = {parent};
    // Blocks of one size are alike, so each takes the first request of its
    // count not yet placed.
    std::vector<bool> placed(requests.size(), false);
    for (const HostBlock& block : hosts.blocks) {
        Labels labels = parent.labels;
        labels.name.clear();
        labels.hosts = block.hosts;
        for (std::size_t i = 0; block.hosts && i < requests.size(); ++i) {
            if (!placed[i] && requests[i].count == *block.hosts) {
                placed[i] = true;
                labels.name = requests[i].name;
                break;
            }
        }
        result.change.added.push_back({block.block, labels});
    }
    return result;
}

PlanResult labelSubnet(const Plan& plan, const Block& subnet, const Labels& labels) {
    const auto place = findSubnet(plan, subnet);
    if (!place)
        return refused(notInPlan(subnet));
    std::string reason = nameReason(labels.name);
    if (reason.empty() && labels.vlan)
        reason = vlanReason(*labels.vlan);
    if (reason.empty() && !labels.color.empty())
        reason = colorReason(labels.color);
    if (reason.empty() && !isUtf8(labels.note))
        reason = "A note is UTF-8 text.";
    if (reason.empty() && labels.hosts && *labels.hosts == 0)
        reason = "A count of hosts is at least 1.";
    if (!reason.empty())
        return refused(cidrText(subnet) + ": " + reason);
    const PlanNetwork& network = plan.networks[place->network];
    PlanResult result;
    result.change.network = network.block;
    result.change.removed = {network.subnets[place->subnet]};
    result.change.added = {{subnet, labels}};
    return result;
}

PlanResult addNetwork(const Plan& plan, const Block& network, std::string name) {
    if (std::string reason = networkPlaceReason(plan, network, nullptr); !reason.empty())
        return refused(reason);
    if (std::string reason = nameReason(name); !reason.empty())
        return refused(cidrText(network) + ": " + reason);
    if (plan.subnetCount() + 1 > kMostSubnets)
        return refused(cidrText(network) + ": " + tooMany(plan.subnetCount() + 1));
    PlanResult result;
    result.change.addedNetworks = {{network, std::move(name), {}, {{network, {}}}}};
    return result;
}

PlanResult removeNetwork(const Plan& plan, const Block& network) {
    const PlanNetwork* found = findNetwork(plan, network);
    if (found == nullptr)
        return refused(cidrText(network) + " is no network of the plan.");
    if (plan.networks.size() == 1)
        return refused(cidrText(network) +
                       " is the plan's only network; a plan holds one at least.");
    PlanResult result;
    result.change.removedNetworks = {*found};
    return result;
}

PlanResult moveNetwork(const Plan& plan, const Block& network, const Block& to) {
    const PlanNetwork* found = findNetwork(plan, network);
    if (found == nullptr)
        return refused(cidrText(network) + " is no network of the plan.");
    if (to.family != network.family || to.length != network.length)
        return refused(cidrText(network) + " moves only to another block of /" +
                       std::to_string(network.length) + ", not to " + cidrText(to) + ".");
    if (std::string reason = networkPlaceReason(plan, to, &network); !reason.empty())
        return refused(reason);
    PlanNetwork moved = *found;
    moved.block = to;
    for (Subnet& subnet : moved.subnets)
        subnet.block.first = subnet.block.first - network.first + to.first;
    PlanResult result;
    result.change.removedNetworks = {*found};
    result.change.addedNetworks = {std::move(moved)};
    return result;
}

PlanResult resizeNetwork(const Plan& plan, const Block& network, std::int32_t length) {
    const PlanNetwork* found = findNetwork(plan, network);
    if (found == nullptr)
        return refused(cidrText(network) + " is no network of the plan.");
    if (length < 0 || length > familyBits(network.family) || length == network.length)
        return refused(cidrText(network) + " cannot be resized to /" + std::to_string(length) +
                       ".");
    const Block resized = blockAround(network.family, network.first, length);
    PlanNetwork changed = *found;
    changed.block = resized;
    changed.subnets.clear();
    if (length < network.length) {
        if (std::string reason = networkPlaceReason(plan, resized, &network); !reason.empty())
            return refused(reason);
        if (resized.first < network.first)
            appendFreeBlocks(changed.subnets, {network.family, resized.first, network.first - 1});
        const std::size_t before = changed.subnets.size();
        if (lastOf(network) < lastOf(resized))
            appendFreeBlocks(changed.subnets,
                             {network.family, lastOf(network) + 1, lastOf(resized)});
        const std::size_t total = plan.subnetCount() + changed.subnets.size();
        if (total > kMostSubnets)
            return refused(cidrText(network) + ": " + tooMany(total));
        changed.subnets.insert(changed.subnets.begin() + static_cast<std::ptrdiff_t>(before),
                               found->subnets.begin(), found->subnets.end());
    } else {
        std::vector<std::string> inTheWay;
        for (const Subnet& subnet : found->subnets) {
            if (holds(resized, subnet.block)) {
                changed.subnets.push_back(subnet);
            } else if (holds(subnet.block, resized)) {
                // Already the whole of the smaller network: its labels stay,
                // but not the count of hosts it was sized for.
                Labels labels = subnet.labels;
                labels.hosts.reset();
                changed.subnets.push_back({resized, labels});
            } else if (!(subnet.labels.get() == Labels{})) {
                inTheWay.push_back(cidrText(subnet.block));
            }
        }
        if (!inTheWay.empty()) {
            std::string reason = cidrText(network) + " cannot shrink to " + cidrText(resized) +
                                 ": labelled subnets lie outside it: ";
            for (std::size_t i = 0; i < inTheWay.size() && i < 10; ++i)
                reason.append(i == 0 ? "" : ", ").append(inTheWay[i]);
            if (inTheWay.size() > 10)
                reason += " and " + std::to_string(inTheWay.size() - 10) + " more";
            return refused(reason + ".");
        }
    }
    PlanResult result;
    result.change.removedNetworks = {*found};
    result.change.addedNetworks = {std::move(changed)};
    return result;
}

NewPlan newPlan(std::span<const Block> networks, Profile profile) {
    NewPlan made;
    made.plan.profile = profile;
    if (networks.empty()) {
        made.reason = "A plan holds one network at least.";
        return made;
    }
    for (const Block& block : networks) {
        const PlanResult added = addNetwork(made.plan, block);
        if (!added.reason.empty()) {
            made.plan.networks.clear();
            made.reason = added.reason;
            return made;
        }
        apply(made.plan, added.change);
    }
    return made;
}

std::string cidrText(const Block& block) {
    std::string text;
    appendCidr(text, block);
    return text;
}

} // namespace quellan
