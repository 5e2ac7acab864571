#pragma once

// The planning operations from operand texts to the lines the tool would
// print, so that test tables can state whole answers. A refusal is one line,
// "! " and the reason.

#include "networks/block_exclude.h"
#include "networks/block_split.h"
#include "networks/block_text.h"
#include "networks/host_plan.h"
#include "networks/operand_text.h"
#include "networks/reverse_zones.h"

#include <string>
#include <string_view>
#include <vector>

namespace quellan::check {

enum class Operation { Split, Range, Merge, Exclude, Hosts, HostsJson, Reverse, Json };

// Splits show their count, then no more than this many blocks.
inline constexpr int kSplitBlocksShown = 4;

inline std::string planned(Operation operation, const std::vector<std::string_view>& operands) {
    std::string out;
    const auto refused = [&out](std::string_view reason) {
        return out.append("! ").append(reason).append("\n");
    };
    const auto line = [&out](const Block& block) {
        appendCidr(out, block);
        out.push_back('\n');
        return true;
    };
    if (operation == Operation::Range || operation == Operation::Merge) {
        Merger merger;
        for (const std::string_view text : operands) {
            const ParsedItem item = parseItem(text);
            if (!item.reason.empty())
                return refused(item.reason);
            if (operation == Operation::Range)
                forEachBlock(item.range, line);
            merger.add(item.range);
        }
        if (operation == Operation::Merge)
            merger.blocks(line);
        return out;
    }
    // The network is the last operand: "split 26 10.0.0.0/24", "hosts 10 20 10.0.0.0/24".
    const ParsedNetwork network = parseNetwork(operands.back());
    if (!network.reason.empty())
        return refused(network.reason);
    const std::vector<std::string_view> rest(operands.begin(), operands.end() - 1);
    switch (operation) {
    case Operation::Split: {
        const PrefixLength split = readSplitLength(rest.at(0), network.block);
        if (!split.reason.empty())
            return refused(split.reason);
        out.append("count ");
        appendSubnetCount(out, network.block, split.length);
        out.push_back('\n');
        int shown = 0;
        if (!forEachSubnet(network.block, split.length, [&](const Block& block) {
                return ++shown <= kSplitBlocksShown && line(block);
            }))
            out.append("...\n");
        return out;
    }
    case Operation::Exclude: {
        Exclusion exclusion(network.block);
        for (const std::string_view text : rest) {
            const ParsedItem item = parseItem(text);
            if (!item.reason.empty())
                return refused(item.reason);
            if (!exclusion.add(item.range))
                return refused(kNotTheNetworksFamily);
        }
        exclusion.blocks(line);
        return out;
    }
    case Operation::Hosts:
    case Operation::HostsJson: {
        std::vector<Uint128> counts;
        for (const std::string_view text : rest) {
            const HostCount count = readHostCount(text);
            if (!count.reason.empty())
                return refused(count.reason);
            counts.push_back(count.count);
        }
        const HostPlan plan = planHosts(network.block, counts);
        if (!plan.reason.empty())
            return refused(plan.reason);
        for (const HostBlock& entry : plan.blocks) {
            if (operation == Operation::Hosts)
                appendHostBlockLine(out, entry);
            else
                appendBlockJson(out, entry.block, entry.hosts);
            out.push_back('\n');
        }
        return out;
    }
    case Operation::Reverse:
        for (const std::string& zone : reverseZones(network.block))
            out.append(zone).push_back('\n');
        return out;
    default:
        appendBlockJson(out, network.block);
        out.push_back('\n');
        return out;
    }
}

} // namespace quellan::check
