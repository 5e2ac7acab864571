#pragma once

// The pieces of address text every reader shares: a dotted quad, a prefix
// length after '/', and the user's text quoted in a reason. Then an IPv4
// address as people copy it from a terminal, a router configuration or a
// ticket: "a.b.c.d", optionally followed by its mask as "/N", "/m.m.m.m",
// " m.m.m.m" or a wildcard such as " 0.0.0.63". Blanks, tabs and line ends may
// stand around the address and around the mask. The window's paste and the
// command-line tool read addresses only through parseAddress().

#include "addresses/ip_address.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quellan {

// Every reader's one wording for a text that is no address: which family was
// meant is what cannot be told from it.
inline constexpr std::string_view kNotAnAddress = "Not an IPv4 or IPv6 address.";

// "010.0.0.1" is 8.0.0.1 to inet_aton and 10.0.0.1 to the window: a script
// must not get one of the two by chance.
inline constexpr std::string_view kLeadingZeros =
    "Leading zeros are ambiguous: octal to some programs, decimal to others.";

// True when an octet has a leading zero ("010"); a lone "0" has none.
bool hasLeadingZeros(const std::array<std::string_view, 4>& octets);

// "a.b.c.d" and nothing else: four groups of one to three digits joined by
// single dots. The values are not held to 255 here, since the window's boxes
// take "999" and refuse it themselves.
enum class LeadingZeros { Allowed, Refused };
struct DottedQuad {
    std::array<std::string_view, 4> digits; // as written
    std::array<std::uint32_t, 4> octets{};
    // The 32-bit address; empty when an octet is above 255.
    std::optional<std::uint32_t> address() const;
};
// With LeadingZeros::Refused, "010" is no octet: inet_pton refuses it too,
// and inet_aton would read it as octal.
std::optional<DottedQuad> readDottedQuad(std::string_view text,
                                         LeadingZeros zeros = LeadingZeros::Allowed);

// The digits after a '/', as they stand: 0 to 32 for IPv4, to 128 for IPv6.
struct PrefixLength {
    std::int32_t length = 0;
    // Why the text is no prefix length; empty when it is one.
    std::string reason;
};
PrefixLength readPrefixLength(std::string_view text, Family family);

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

// Ones then zeros, written as four octets: 255.255.255.192, 0.0.0.0; no
// wildcard.
bool dottedNetworkMask(std::string_view text);

// A piece of the user's text inside a reason: short, and only characters a
// status bar or terminal shows as themselves.
std::string shownInReason(std::string_view piece);

} // namespace quellan
