#pragma once

// What the record's address and mask say beyond the fields: the wildcard
// mask, the network in CIDR notation and the kind of address. Worked out from
// the address and the mask as 32-bit numbers, never read back from the field
// texts, so the window's tool-tips and the command-line tool cannot drift
// from each other.

#include "calculator/window_state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quellan {

struct AddressFacts {
    // The address the binary field shows: each box's low eight bits, an
    // empty box (or one that does not read as a number) as 0.
    std::uint32_t address = 0;
    // The slider's position as a mask length, 0 to 32.
    std::int32_t maskBits = 0;
    std::uint32_t mask = 0;
    std::string wildcard; // "0.0.0.63"
    std::string network;  // "192.168.1.0/26"
    std::string type;     // "Private-use (RFC 1918)"
    // What an IPv6 address's results call the same (ipv6_results.h), so that
    // scripts need not ask which family an address is.
    std::string prefixLength;
    std::string first;
    std::string last;
    std::string addresses;
    // Without the network and broadcast addresses, but every address of a
    // /31 (RFC 3021) and the one of a /32.
    std::string usableFirst;
    std::string usableLast;
    std::string usable;
};

// An address with the length the user gave, apart from what the window's
// rules make of it: the slider stops at /1 and a class D or E address has no
// mask length there, while a firewall rule or a route takes any length on any
// address.
struct GivenNetwork {
    std::uint32_t address = 0;
    std::int32_t length = 0;
};

// Without a length, the class's default: /8, /16 or /24 for class A, B or C;
// a class D or E address is its own /32.
GivenNetwork givenNetwork(std::uint32_t address, std::optional<std::int32_t> length);

// The window's: the address in the boxes and the slider's length.
AddressFacts addressFacts(const WindowState& state);
AddressFacts addressFacts(const GivenNetwork& network);

// The facts as the results show them after the fields, with a caption and a
// JSON key each, like kDisplayFields.
struct FactField {
    std::string_view caption;
    std::string_view key;
    std::string AddressFacts::*text;
    bool number = false;
};

inline constexpr std::array<FactField, 3> kFactFields{{
    {"Wildcard mask", "wildcard", &AddressFacts::wildcard},
    {"Network", "cidr", &AddressFacts::network},
    {"Address type", "type", &AddressFacts::type},
}};

// The facts only scripts get, after the reverse DNS name: the window has no
// field for them.
inline constexpr std::array<FactField, 7> kScriptFields{{
    {"Prefix length", "prefixLength", &AddressFacts::prefixLength, true},
    {"First address", "first", &AddressFacts::first},
    {"Last address", "last", &AddressFacts::last},
    {"Addresses", "addresses", &AddressFacts::addresses},
    {"First usable address", "usableFirst", &AddressFacts::usableFirst},
    {"Last usable address", "usableLast", &AddressFacts::usableLast},
    {"Usable addresses", "usable", &AddressFacts::usable},
}};

} // namespace quellan
