#include "calculator/subnet_rows.h"

#include "addresses/number_text.h"
#include "networks/block_text.h"

namespace quellan {

void appendSubnetCell(std::string& out, const Block& subnet, SubnetColumn column) {
    const Range hosts = usableRange(subnet);
    switch (column) {
    case SubnetColumn::Network:
        appendCidr(out, subnet);
        break;
    case SubnetColumn::FirstHost:
        appendDottedDecimal(out, octetsOfAddress(static_cast<std::uint32_t>(hosts.first)));
        break;
    case SubnetColumn::LastHost:
        appendDottedDecimal(out, octetsOfAddress(static_cast<std::uint32_t>(hosts.last)));
        break;
    case SubnetColumn::Broadcast:
        appendDottedDecimal(out, octetsOfAddress(static_cast<std::uint32_t>(lastOf(subnet))));
        break;
    case SubnetColumn::Hosts:
        appendDecimal(out, static_cast<std::int64_t>(hosts.last - hosts.first + 1));
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
