#pragma once

// What every plan must have after any operation, and random operations to
// reach such plans from, for the property test and the fuzz target alike.
// Each check returns what it found broken, or nothing.

#include "networks/block_text.h"
#include "plans/plan.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace quellan::check {

using Draw = std::function<std::uint64_t()>;

// Each network starts at its own block and each subnet where the one before
// ended, and the last ends with the network; networks ascend without overlap.
inline std::string tilingFault(const Plan& plan) {
    if (plan.networks.empty())
        return "a plan without networks";
    for (std::size_t n = 0; n < plan.networks.size(); ++n) {
        const PlanNetwork& network = plan.networks[n];
        if (n > 0) {
            const Block& before = plan.networks[n - 1].block;
            if (!addressOrder(before, network.block) ||
                (before.family == network.block.family && lastOf(before) >= network.block.first))
                return "networks out of order or overlapping at " + cidrText(network.block);
        }
        if (network.subnets.empty())
            return cidrText(network.block) + " has no subnets";
        Uint128 next = network.block.first;
        for (const Subnet& subnet : network.subnets) {
            const Block& block = subnet.block;
            if (block.family != network.block.family || block.first != next ||
                block.length < network.block.length ||
                (block.first & hostMask(block.family, block.length)) != 0)
                return cidrText(block) + " does not follow on in " + cidrText(network.block);
            next = lastOf(block) + 1;
        }
        if (lastOf(network.subnets.back().block) != lastOf(network.block))
            return cidrText(network.block) + " is not covered to its end";
    }
    return {};
}

inline Labels drawLabels(const Draw& draw) {
    static const char* const kNames[] = {"", "Servers", "=cmd()", "a, \"b\"", "Ünïcode"};
    static const char* const kNotes[] = {"", "line one\nline two", "-1,+2", "\t@x\r"};
    Labels labels;
    labels.name = kNames[draw() % 5];
    if (draw() % 2 == 0)
        labels.vlan = static_cast<std::int32_t>(1 + draw() % 4094);
    if (draw() % 3 == 0)
        labels.hosts = Uint128{1 + draw() % 1000};
    labels.note = kNotes[draw() % 4];
    if (draw() % 2 == 0)
        labels.color = "#4477aa";
    return labels;
}

// A subnet of the plan, drawn.
inline Block drawSubnet(const Plan& plan, const Draw& draw) {
    const PlanNetwork& network = plan.networks[draw() % plan.networks.size()];
    return network.subnets[draw() % network.subnets.size()].block;
}

// One operation on a drawn subnet or network, mostly ones that can be done;
// the result as the operation gives it.
inline PlanResult drawOperation(const Plan& plan, const Draw& draw) {
    const Block subnet = drawSubnet(plan, draw);
    const Block network = plan.networks[draw() % plan.networks.size()].block;
    const std::int32_t width = familyBits(network.family);
    switch (draw() % 8) {
    case 0:
        return splitSubnet(plan, subnet, subnet.length + 1 + static_cast<std::int32_t>(draw() % 4));
    case 1: {
        const auto keep = static_cast<JoinKeep>(draw() % 3);
        if (draw() % 2 == 0)
            return joinSubnet(plan, subnet, keep);
        // A block one to four levels out, or past the network at times.
        const auto length = std::max(0, subnet.length - 1 - static_cast<std::int32_t>(draw() % 4));
        return joinBlock(plan, blockAround(subnet.family, subnet.first, length), keep);
    }
    case 2: {
        std::vector<HostRequest> requests;
        for (std::uint64_t i = 0, n = 1 + draw() % 3; i < n; ++i)
            requests.push_back({Uint128{1 + draw() % 40}, "group " + std::to_string(i)});
        return planHostsIn(plan, subnet, requests);
    }
    case 3:
        return labelSubnet(plan, subnet, drawLabels(draw));
    case 4: {
        const auto length = static_cast<std::int32_t>(network.length - 2 + draw() % 5);
        return resizeNetwork(plan, network, length);
    }
    case 5: {
        // The size of the network: 0 for ::/0, which has no other place.
        const Uint128 step = hostMask(network.family, network.length) + 1;
        const Uint128 first = network.first + step * (draw() % 3) - step;
        return moveNetwork(plan, network,
                           {network.family, first & allOnes(network.family), network.length});
    }
    case 6: {
        const auto length = static_cast<std::int32_t>(width - 4 - draw() % 8);
        const Uint128 first = network.first + (Uint128{draw() % 64} << (width - length));
        return addNetwork(
            plan, blockAround(network.family, first & allOnes(network.family), length), "added");
    }
    default:
        return removeNetwork(plan, network);
    }
}

} // namespace quellan::check
