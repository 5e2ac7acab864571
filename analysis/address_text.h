#pragma once

// An IPv4 address as people copy it from a terminal, a router configuration or
// a ticket: "a.b.c.d", optionally followed by its mask as "/N", "/m.m.m.m",
// " m.m.m.m" or a wildcard such as " 0.0.0.63". Blanks, tabs and line ends may
// stand around the address and around the mask. The window's paste and the
// command-line tool read addresses only through parseAddress().

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quellan {

inline constexpr std::string_view kNotAnAddress = "Not an IPv4 address.";

struct ParsedAddress {
    // Four octets were read; without them nothing else counts.
    bool isAddress = false;
    // What each box is to hold: the one to three digits as written.
    std::array<std::string, 4> octets;
    // The mask as a length of 0 to 32, when one was given and is a mask.
    std::optional<std::int32_t> maskBits;
    // Why the text is no address, or why its mask was not read; empty when
    // everything in the text was taken.
    std::string reason;
};

// Never throws and reads nothing outside `text`, whatever it holds.
ParsedAddress parseAddress(std::string_view text);

// The length of a dotted network mask ("255.255.255.192") or of its wildcard
// ("0.0.0.63"), both /26; empty when the text is neither. All ones reads as
// /32 and all zeros as /0.
std::optional<std::int32_t> dottedMaskBits(std::string_view text);

// A piece of the user's text inside a reason: short, and only characters a
// status bar or terminal shows as themselves.
std::string shownInReason(std::string_view piece);

} // namespace quellan
