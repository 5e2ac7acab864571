#pragma once

// What people type into a planner: the networks of a new plan, the groups
// of hosts to plan into a free subnet, and what to find. Each reader takes
// the whole text and says which line is wrong, so that a dialog can show
// the reason beside what was typed.

#include "plans/plan.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quellan {

struct NetworksRead {
    std::vector<Block> networks;
    // "Line 2: ..."; empty when every network was read.
    std::string reason;
};

// One network a line, or several on a line between blanks or commas:
// "10.0.0.0/16, 2001:db8::/48".
NetworksRead readNetworks(std::string_view text);

struct HostRequestsRead {
    std::vector<HostRequest> requests;
    std::string reason;
};

// A group a line: its count of hosts, then its name ("50 Servers");
// blank lines are skipped.
HostRequestsRead readHostRequests(std::string_view text);

// The subnet that holds an address or network typed as text, or else the
// first subnet after `after` (wrapping round) whose name holds the text,
// ignoring case in ASCII letters; nothing when none does.
std::optional<Block> findSubnetFor(const Plan& plan, std::string_view text, const Block& after);

} // namespace quellan
