#pragma once

// The networks and items the planning subcommands read: "192.168.5.0/24",
// "2001:db8::/32", a bare address as its own /32 or /128, and, for an item,
// a range "10.0.0.1 - 10.0.0.9". An IPv4 mask may also be dotted, as an
// address's: "10.0.0.0/255.0.0.0", "10.0.0.0 255.0.0.0", "10.0.0.0/0.255.255.255".
// Blanks, tabs and line ends may stand around the text, around '/' and
// around '-'. IPv4 is four decimal octets of one to
// three digits, as the tool's address reader takes them.
//
// A merge reads these by the million: on success nothing is allocated, and
// nothing here throws or depends on the locale.

#include "networks/ip_block.h"

#include <string>
#include <string_view>

namespace quellan {

inline constexpr std::string_view kRangeBackwards = "The range ends before it starts.";
inline constexpr std::string_view kRangeOfTwoFamilies = "A range cannot mix IPv4 and IPv6.";
inline constexpr std::string_view kRangeIsNoNetwork = "A range is not a network; give a prefix.";
inline constexpr std::string_view kZoneInNetwork = "A zone ('%') has no place in a network.";
inline constexpr std::string_view kPrefixInRange =
    "The ends of a range are addresses, without '/'.";

struct ParsedNetwork {
    // Host bits cleared: "192.168.5.45/24" is 192.168.5.0/24.
    Block block;
    // Why the text is no network; empty when it is one.
    std::string reason;
};

struct ParsedItem {
    Range range;
    std::string reason;
};

ParsedNetwork parseNetwork(std::string_view text);

// A network or a range of one family, first to last.
ParsedItem parseItem(std::string_view text);

} // namespace quellan
