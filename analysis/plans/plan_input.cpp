#include "plans/plan_input.h"

#include "addresses/number_text.h"
#include "networks/host_plan.h"
#include "networks/operand_text.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace quellan {

namespace {

// Each line with its number from 1, line ends of either kind.
template <typename Visit> bool forEachLine(std::string_view text, Visit visit) {
    std::size_t number = 1;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!visit(line, number))
            return false;
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
        ++number;
    }
    return true;
}

std::string lineReason(std::size_t number, std::string_view reason) {
    return "Line " + std::to_string(number) + ": " + std::string(reason);
}

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool holdsIgnoringCase(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

bool inside(const Block& inner, const Block& outer) {
    return inner.family == outer.family && inner.length >= outer.length &&
           (inner.first & ~hostMask(outer.family, outer.length)) == outer.first;
}

} // namespace

NetworksRead readNetworks(std::string_view text) {
    NetworksRead read;
    forEachLine(text, [&read](std::string_view line, std::size_t number) {
        // A comma ends a network; blanks may not, as "10.0.0.0 255.0.0.0" is one.
        for (std::size_t start = 0; start <= line.size();) {
            const std::size_t comma = std::min(line.find(',', start), line.size());
            const std::string_view item = trimBlanks(line.substr(start, comma - start));
            start = comma + 1;
            if (item.empty())
                continue;
            const ParsedNetwork parsed = parseNetwork(item);
            if (!parsed.reason.empty()) {
                read.reason = lineReason(number, "\"" + std::string(item) + "\": " + parsed.reason);
                return false;
            }
            read.networks.push_back(parsed.block);
        }
        return true;
    });
    if (read.reason.empty() && read.networks.empty())
        read.reason = "Give at least one network, such as 10.0.0.0/24.";
    if (!read.reason.empty())
        read.networks.clear();
    return read;
}

HostRequestsRead readHostRequests(std::string_view text) {
    HostRequestsRead read;
    forEachLine(text, [&read](std::string_view line, std::size_t number) {
        line = trimBlanks(line);
        if (line.empty())
            return true;
        std::size_t end = 0;
        while (end < line.size() && !isBlank(line[end]))
            ++end;
        const HostCount count = readHostCount(line.substr(0, end));
        if (!count.reason.empty()) {
            read.reason = lineReason(number, count.reason);
            return false;
        }
        const std::string_view name = trimBlanks(line.substr(end));
        if (name.empty()) {
            read.reason = lineReason(number, "Give the group a name after its count.");
            return false;
        }
        read.requests.push_back({count.count, std::string(name)});
        return true;
    });
    if (read.reason.empty() && read.requests.empty())
        read.reason = "Give a group a line: its count of hosts, then its name.";
    if (!read.reason.empty())
        read.requests.clear();
    return read;
}

std::optional<Block> findSubnetFor(const Plan& plan, std::string_view text, const Block& after) {
    text = trimBlanks(text);
    if (text.empty())
        return std::nullopt;
    if (const ParsedNetwork typed = parseNetwork(text); typed.reason.empty()) {
        for (const PlanNetwork& network : plan.networks) {
            if (!inside(typed.block, network.block))
                continue;
            // The one subnet that holds its first address.
            const auto holder = std::upper_bound(
                network.subnets.begin(), network.subnets.end(), typed.block.first,
                [](Uint128 address, const Subnet& subnet) { return address < subnet.block.first; });
            const Subnet& subnet = *std::prev(holder);
            if (inside(typed.block, subnet.block))
                return subnet.block;
            return std::nullopt;
        }
        return std::nullopt;
    }
    // By name: the subnets after `after`, then from the first through it.
    bool seen = false;
    for (const bool second : {false, true})
        for (const PlanNetwork& network : plan.networks)
            for (const Subnet& subnet : network.subnets) {
                if ((second || seen) && holdsIgnoringCase(subnet.labels->name, text))
                    return subnet.block;
                if (subnet.block == after) {
                    if (second)
                        return std::nullopt;
                    seen = true;
                }
            }
    return std::nullopt;
}

} // namespace quellan
