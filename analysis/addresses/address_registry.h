#pragma once

// The kind of an address, from the IANA special-purpose address registries
// of both families: "Private-use (RFC 1918)", "Documentation (RFC 3849)".

#include "addresses/ip_address.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quellan {

// The registry block `address` lies in, "Public" outside all of them.
std::string_view addressType(std::uint32_t address);

// The most specific block of the IPv6 registry that holds `address`, and the
// IPv4 address that block carries inside its addresses, where it carries one.
struct Ipv6Type {
    std::string_view type; // "Documentation (RFC 3849)"
    std::optional<std::uint32_t> embeddedIpv4;
};
Ipv6Type ipv6Type(Uint128 address);

} // namespace quellan
