#include "calculator/subnet_list.h"

#include "addresses/number_text.h"
#include "calculator/octet_text.h"
#include "calculator/recalculation.h"
#include "networks/block_split.h"
#include "networks/block_text.h"

#include <algorithm>

namespace quellan {

namespace {

bool boxesEmpty(const WindowState& state) {
    return std::all_of(state.octets.begin(), state.octets.end(),
                       [](const std::string& octet) { return octet.empty(); });
}

} // namespace

SubnetList subnetListOf(const WindowState& state) {
    SubnetList list;
    list.title = "Subnets";
    // The class field is empty until the first recalculation.
    if (boxesEmpty(state) || state.lblClass.empty()) {
        list.note = "No address yet.";
        return list;
    }
    const std::int32_t classful = classDefaultBits(state.lblClass);
    if (classful == 0) {
        list.note = "Class D and E addresses have no subnets.";
        return list;
    }
    // The address the fields were worked out from, not the boxes' texts,
    // which may hold what the last recalculation refused.
    const std::uint32_t address = addressOfOctets(octetsOfBinaryText(state.lblBinIPAddr));
    list.network = blockAround(Family::IPv4, address, classful);
    list.title.append(" of ");
    appendCidr(list.title, list.network);

    if (state.sliderValue <= classful) {
        list.length = classful;
        list.rows = 1;
        list.note = "The mask is not longer than the class's default: there is one network.";
        return list;
    }
    list.length = state.sliderValue;
    list.rows = std::uint32_t{1} << (list.length - classful);
    list.addressRow = static_cast<std::uint32_t>(subnetIndexOf(list.network, list.length, address));
    appendSubnetCount(list.note, list.network, list.length);
    list.note.append(" subnets of /");
    appendDecimal(list.note, list.length);
    list.note.push_back('.');
    return list;
}

} // namespace quellan
