#include "networks/block_text.h"

#include "addresses/ipv6_text.h"
#include "addresses/number_text.h"

namespace quellan {

namespace {

void appendQuotedAddress(std::string& out, Family family, Uint128 bits) {
    out.push_back('"');
    appendAddress(out, family, bits);
    out.push_back('"');
}

} // namespace

// The network's text is written once and copied to the two other keys that
// hold it: IPv6 text takes most of the time a split into 65,536 JSON lines
// takes.
void appendBlockJsonFields(std::string& out, const Block& block) {
    out.append("{\"cidr\":\"");
    const std::size_t network = out.size();
    appendAddress(out, block.family, block.first);
    const std::size_t networkLength = out.size() - network;
    out.push_back('/');
    appendDecimal(out, block.length);
    out.append("\",\"network\":\"");
    out.append(out, network, networkLength);
    out.append("\",\"prefixLength\":");
    appendDecimal(out, block.length);
    out.append(",\"mask\":");
    appendQuotedAddress(out, block.family, prefixMask(block.family, block.length));
    out.append(",\"first\":\"");
    out.append(out, network, networkLength);
    out.append("\",\"last\":");
    appendQuotedAddress(out, block.family, lastOf(block));
    out.append(",\"addresses\":\"");
    appendPowerOfTwo(out, familyBits(block.family) - block.length);
    out.push_back('"');
}

void appendAddress(std::string& out, Family family, Uint128 bits) {
    if (family == Family::IPv4)
        appendDottedDecimal(out, octetsOfAddress(static_cast<std::uint32_t>(bits)));
    else
        appendIpv6(out, bits);
}

void appendCidr(std::string& out, const Block& block) {
    appendAddress(out, block.family, block.first);
    out.push_back('/');
    appendDecimal(out, block.length);
}

void appendBlockJson(std::string& out, const Block& block) {
    appendBlockJsonFields(out, block);
    out.push_back('}');
}

void appendBlockJson(std::string& out, const Block& block, const std::optional<Uint128>& hosts) {
    appendBlockJsonFields(out, block);
    out.append(",\"hosts\":");
    if (hosts)
        appendDecimal128(out, *hosts);
    else
        out.append("null");
    out.push_back('}');
}

} // namespace quellan
