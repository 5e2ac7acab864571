#include "calculator/field_tips.h"

#include "calculator/address_facts.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace quellan {

namespace {

// Keyed by the record's member, as kDisplayFields is, so that a field's name
// is written in one place only.
using Field = std::string WindowState::*;

struct Meaning {
    Field field;
    std::string_view sentence;
};

constexpr Meaning kMeanings[] = {
    {&WindowState::lbl32Decimal, "The address as one 32-bit number in decimal."},
    {&WindowState::lblBinIPAddr, "The address in binary, eight bits for each octet."},
    {&WindowState::lblHexIPAddr, "The address in hexadecimal, octet by octet."},
    {&WindowState::lblClass, "The address class, from the leading bits of the address."},
    {&WindowState::lblBits, "The number of leading one bits in the network mask."},
    {&WindowState::lblClassfull, "The network mask that the address class implies."},
    {&WindowState::lblNetMask, "The network mask set with the slider, in dotted decimal."},
    {&WindowState::lblHexMask, "The network mask in hexadecimal, octet by octet."},
    {&WindowState::lblBinMask, "The network mask in binary: a one for each bit of the network."},
    {&WindowState::lblHosts, "The first and the last address that a host on this network can use."},
    {&WindowState::lblNetNumber,
     "The first address of the network, which names the network itself."},
    {&WindowState::lblBroadcast,
     "The last address of the network, which reaches every host on it."},
    {&WindowState::lblMaxHosts,
     "The addresses a host can use: all of the network's, less the network and "
     "broadcast address."},
    {&WindowState::lblMaxNets,
     "2^bits − 2: the networks of this mask length in the whole address space, less "
     "two."},
};

std::string meaningOf(const DisplayField& field) {
    const auto* meaning =
        std::find_if(std::begin(kMeanings), std::end(kMeanings),
                     [&field](const Meaning& m) { return m.field == field.text; });
    if (meaning == std::end(kMeanings))
        throw std::logic_error("no tool-tip for " + std::string(field.name));
    return std::string(meaning->sentence);
}

} // namespace

std::array<std::string, kDisplayFields.size()> fieldTips(const WindowState& state) {
    std::array<std::string, kDisplayFields.size()> tips;
    // Before the first change the fields hold their start-up texts, which no
    // address stands behind.
    const bool calculated = !state.lblNetNumber.empty();
    const AddressFacts facts = addressFacts(state);
    for (std::size_t i = 0; i < tips.size(); ++i) {
        const Field field = kDisplayFields[i].text;
        std::string& tip = tips[i];
        tip = meaningOf(kDisplayFields[i]);
        if (!calculated)
            continue;
        if (field == &WindowState::lblClass)
            tip = "Address type: " + facts.type;
        else if (field == &WindowState::lblNetMask)
            tip = "Wildcard mask: " + facts.wildcard;
        else if (field == &WindowState::lblNetNumber)
            tip = "Network: " + facts.network;
        else if (field == &WindowState::lblHosts && facts.maskBits == 31)
            tip = "A 31-bit mask is for point-to-point links, where both addresses are hosts "
                  "(RFC 3021).";
        else if (field == &WindowState::lblHosts && facts.maskBits == 32)
            tip = "A 32-bit mask names a single host.";
        else if (field == &WindowState::lblMaxNets) // "2^bits − 2: ..." with the length itself
            tip.replace(0, tip.find(' '), "2^" + std::to_string(facts.maskBits));
    }
    return tips;
}

} // namespace quellan
