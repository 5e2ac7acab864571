#pragma once

// What the record's address and mask say beyond the fields: the wildcard
// mask, the network in CIDR notation and the kind of address. Worked out from
// the address and the mask as 32-bit numbers, never read back from the field
// texts, so the window's tool-tips and the command-line tool cannot drift
// from each other.

#include "calculator/window_state.h"

#include <array>
#include <cstdint>
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
};

AddressFacts addressFacts(const WindowState& state);

// The facts as the results show them after the fields, with a caption and a
// JSON key each, like kDisplayFields.
struct FactField {
    std::string_view caption;
    std::string_view key;
    std::string AddressFacts::*text;
};

inline constexpr std::array<FactField, 3> kFactFields{{
    {"Wildcard mask", "wildcard", &AddressFacts::wildcard},
    {"Network", "cidr", &AddressFacts::network},
    {"Address type", "type", &AddressFacts::type},
}};

} // namespace quellan
