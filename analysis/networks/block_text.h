#pragma once

// Blocks as the command-line tool writes them: "10.0.0.0/8" and one JSON
// object a block. Everything appends to one string, so a split of tens of
// thousands of blocks builds no text of its own per block or per field.

#include "networks/ip_block.h"

#include <optional>
#include <string>

namespace quellan {

// Dotted decimal for IPv4, RFC 5952 for IPv6.
void appendAddress(std::string& out, Family family, Uint128 bits);

// The network and its length, always: "10.0.0.5/32", "2001:db8::/32".
void appendCidr(std::string& out, const Block& block);

// {"cidr":"10.0.0.0/30","network":"10.0.0.0","prefixLength":30,
//  "mask":"255.255.255.252","first":"10.0.0.0","last":"10.0.0.3",
//  "addresses":"4"} on one line, without a line end. The count is a string:
// 2^128 is beyond what JSON readers hold exactly as a number.
void appendBlockJson(std::string& out, const Block& block);

// The same object without its closing brace, for more keys to follow.
void appendBlockJsonFields(std::string& out, const Block& block);

// The same object with a last key, "hosts": the count as a number, or null
// for a block left free.
void appendBlockJson(std::string& out, const Block& block, const std::optional<Uint128>& hosts);

} // namespace quellan
