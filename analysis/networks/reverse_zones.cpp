#include "networks/reverse_zones.h"

#include "addresses/number_text.h"
#include "addresses/reverse_dns.h"
#include "networks/block_split.h"

namespace quellan {

namespace {

constexpr std::int32_t labelBits(Family family) {
    return family == Family::IPv4 ? 8 : 4;
}

// The zone of the block of `length`, a whole number of labels, at `first`:
// its PTR name without the labels of the host bits.
void appendZone(std::string& out, Family family, Uint128 first, std::int32_t length) {
    const std::size_t start = out.size();
    appendReverseDns(out, {family, first});
    std::size_t cut = start;
    for (std::int32_t label = length; label < familyBits(family); label += labelBits(family))
        cut = out.find('.', cut) + 1;
    out.erase(start, cut - start);
}

} // namespace

std::vector<std::string> reverseZones(const Block& network) {
    const Family family = network.family;
    std::vector<std::string> zones;
    if (family == Family::IPv4 && network.length > 24 && network.length < 32) {
        std::string zone;
        appendDecimal(zone, static_cast<std::int64_t>(network.first & 0xFFU));
        zone.push_back('-');
        appendDecimal(zone, static_cast<std::int64_t>(lastOf(network) & 0xFFU));
        zone.push_back('.');
        appendZone(zone, family, network.first, 24);
        zones.push_back(std::move(zone));
        return zones;
    }
    const std::int32_t unit = labelBits(family);
    const std::int32_t zoneLength = (network.length + unit - 1) / unit * unit;
    forEachSubnet(network, zoneLength, [&](const Block& block) {
        std::string zone;
        appendZone(zone, family, block.first, zoneLength);
        zones.push_back(std::move(zone));
        return true;
    });
    return zones;
}

} // namespace quellan
