#include "addresses/ipv6_results.h"

#include "addresses/address_registry.h"
#include "addresses/json_text.h"
#include "addresses/number_text.h"

#include <algorithm>

namespace quellan {

namespace {

struct PrefixFacts {
    Uint128 mask;
    Uint128 network;
    Uint128 last;
    Ipv6Type type;
};

PrefixFacts prefixFactsOf(const ParsedIpv6& parsed) {
    const Uint128 mask = prefixMask(Family::IPv6, parsed.prefixLength);
    const Uint128 network = parsed.address.bits & mask;
    return {mask, network, network | ~mask, ipv6Type(parsed.address.bits)};
}

// Appends the value of `fact`; false, with nothing appended, when the address
// has none.
bool appendFact(std::string& out, Ipv6Fact fact, const ParsedIpv6& parsed,
                const PrefixFacts& block) {
    switch (fact) {
    case Ipv6Fact::Address:
        appendIpv6(out, parsed.address.bits);
        if (!parsed.zone.empty())
            out.append("%").append(parsed.zone);
        return true;
    case Ipv6Fact::Expanded:
        appendExpandedIpv6(out, parsed.address.bits);
        return true;
    case Ipv6Fact::PrefixLength:
        appendDecimal(out, parsed.prefixLength);
        return true;
    case Ipv6Fact::Mask:
        appendIpv6(out, block.mask);
        return true;
    case Ipv6Fact::Cidr:
        appendIpv6(out, block.network);
        out.push_back('/');
        appendDecimal(out, parsed.prefixLength);
        return true;
    case Ipv6Fact::Network:
    case Ipv6Fact::First:
        appendIpv6(out, block.network);
        return true;
    case Ipv6Fact::Last:
        appendIpv6(out, block.last);
        return true;
    case Ipv6Fact::Addresses:
        appendPowerOfTwo(out, familyBits(Family::IPv6) - parsed.prefixLength);
        return true;
    case Ipv6Fact::Type:
        out.append(block.type.type);
        return true;
    case Ipv6Fact::EmbeddedIpv4:
        if (!block.type.embeddedIpv4)
            return false;
        appendDottedDecimal(out, octetsOfAddress(*block.type.embeddedIpv4));
        return true;
    case Ipv6Fact::ReverseDns:
        appendReverseDns(out, parsed.address);
        return true;
    }
    return false;
}

const Ipv6Field* fieldOfKey(std::string_view key) {
    const auto* field = std::find_if(kIpv6Fields.begin(), kIpv6Fields.end(),
                                     [key](const Ipv6Field& f) { return f.key == key; });
    return field == kIpv6Fields.end() ? nullptr : field;
}

} // namespace

std::string ipv6ResultsText(const ParsedIpv6& parsed) {
    const PrefixFacts block = prefixFactsOf(parsed);
    std::string text;
    text.reserve(512);
    for (const Ipv6Field& field : kIpv6Fields) {
        if (field.caption.empty())
            continue;
        const std::size_t lineStart = text.size();
        text.append(field.caption).append(": ");
        if (appendFact(text, field.fact, parsed, block))
            text.push_back('\n');
        else
            text.resize(lineStart);
    }
    return text;
}

std::string ipv6ResultsJson(const ParsedIpv6& parsed, std::string_view input) {
    const PrefixFacts block = prefixFactsOf(parsed);
    std::string json;
    json.reserve(640);
    json.append("{\"").append(kInputKey).append("\":");
    appendJsonString(json, trimBlanks(input));
    for (const Ipv6Field& field : kIpv6Fields) {
        const std::size_t keyStart = json.size();
        json.append(",\"").append(field.key).append("\":");
        if (field.fact == Ipv6Fact::PrefixLength) {
            appendDecimal(json, parsed.prefixLength);
        } else if (field.fact == Ipv6Fact::Address && !parsed.zone.empty()) {
            // Of all the values only a zone, as the user wrote it, may hold
            // characters JSON must escape.
            std::string address;
            appendFact(address, field.fact, parsed, block);
            appendJsonString(json, address);
        } else {
            json.push_back('"');
            if (appendFact(json, field.fact, parsed, block))
                json.push_back('"');
            else
                json.resize(keyStart);
        }
    }
    json.push_back('}');
    return json;
}

bool isIpv6ResultKey(std::string_view key) {
    return key == kInputKey || fieldOfKey(key) != nullptr;
}

std::optional<std::string> ipv6ResultValue(const ParsedIpv6& parsed, std::string_view input,
                                           std::string_view key) {
    if (key == kInputKey)
        return std::string(trimBlanks(input));
    const Ipv6Field* field = fieldOfKey(key);
    std::string value;
    if (field == nullptr || !appendFact(value, field->fact, parsed, prefixFactsOf(parsed)))
        return std::nullopt;
    return value;
}

} // namespace quellan
