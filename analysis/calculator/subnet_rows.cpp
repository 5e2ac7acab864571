#include "calculator/subnet_rows.h"

#include "addresses/number_text.h"
#include "calculator/usable_hosts.h"
#include "networks/block_text.h"

namespace quellan {

void appendSubnetCell(std::string& out, const Block& subnet, SubnetColumn column) {
    const auto network = static_cast<std::uint32_t>(subnet.first);
    const auto broadcast = static_cast<std::uint32_t>(lastOf(subnet));
    switch (column) {
    case SubnetColumn::Network:
        appendCidr(out, subnet);
        break;
    case SubnetColumn::FirstHost:
        appendDottedDecimal(out, octetsOfAddress(firstHostOf(network)));
        break;
    case SubnetColumn::LastHost:
        appendDottedDecimal(out, octetsOfAddress(lastHostOf(broadcast)));
        break;
    case SubnetColumn::Broadcast:
        appendDottedDecimal(out, octetsOfAddress(broadcast));
        break;
    case SubnetColumn::Hosts:
        appendDecimal(out, usableHostCount(std::int64_t{1} << (32 - subnet.length)));
        break;
    }
}

void appendSubnetLine(std::string& out, const Block& subnet, char separator) {
    for (std::size_t i = 0; i < kSubnetColumnCaptions.size(); ++i) {
        if (i > 0)
            out.push_back(separator);
        appendSubnetCell(out, subnet, static_cast<SubnetColumn>(i));
    }
    out.push_back('\n');
}

void appendSubnetHeader(std::string& out, char separator) {
    for (std::size_t i = 0; i < kSubnetColumnCaptions.size(); ++i) {
        if (i > 0)
            out.push_back(separator);
        out.append(kSubnetColumnCaptions[i]);
    }
    out.push_back('\n');
}

} // namespace quellan
