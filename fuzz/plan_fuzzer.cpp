// Reads the input as a planning operand, a split length and a host count,
// and then as the numbers the planning checks draw their networks and items
// from, so that every check of the property test runs on what the fuzzer
// finds as well as on its seeded draws.

#include "fuzz_checks.h"
#include "networks/operand_text.h"
#include "networks/reverse_zones.h"
#include "plan_checks.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using quellan::Block;
using quellan::Family;
using quellan::fuzz::require;

bool oneSentence(const std::string& reason) {
    return reason.ends_with('.') &&
           std::all_of(reason.begin(), reason.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

void checkOperand(std::string_view input) {
    const quellan::ParsedNetwork network = quellan::parseNetwork(input);
    const quellan::ParsedItem item = quellan::parseItem(input);
    if (!network.reason.empty()) {
        require(oneSentence(network.reason), "a network's refusal is one printable sentence");
    } else {
        const Block& block = network.block;
        require(block.length >= 0 && block.length <= quellan::familyBits(block.family) &&
                    (block.first & quellan::hostMask(block.family, block.length)) == 0,
                "a network has a length of its family and no host bits");
        const quellan::ParsedNetwork again = quellan::parseNetwork(quellan::check::cidr(block));
        require(again.reason.empty() && again.block.first == block.first &&
                    again.block.length == block.length && again.block.family == block.family,
                "a network's CIDR text reads back as it");
        require(item.reason.empty() && item.range.first == block.first &&
                    item.range.last == quellan::lastOf(block),
                "a network is an item of its own addresses");
    }
    if (!item.reason.empty())
        require(oneSentence(item.reason), "an item's refusal is one printable sentence");
    else
        require(item.range.first <= item.range.last &&
                    item.range.last <= quellan::allOnes(item.range.family),
                "an item runs forward within its family");
    const quellan::HostCount count = quellan::readHostCount(input);
    require(count.reason.empty() ? count.count > 0 : oneSentence(count.reason), "a host count");
    const quellan::PrefixLength split = quellan::readSplitLength(input, {Family::IPv6, 0, 64});
    require(split.reason.empty() ? split.length >= 64 && split.length <= 128
                                 : oneSentence(split.reason),
            "a split length");
}

// Zones one label on from the network, or one classless IPv4 name.
void checkZones(const Block& block) {
    const std::vector<std::string> zones = quellan::reverseZones(block);
    const std::int32_t label = block.family == Family::IPv4 ? 8 : 4;
    const bool classless = block.family == Family::IPv4 && block.length > 24 && block.length < 32;
    const std::int32_t apart = (label - block.length % label) % label;
    require(zones.size() == (classless ? 1U : std::size_t{1} << apart), "how many zones");
    for (const std::string& zone : zones)
        require(zone.ends_with(block.family == Family::IPv4 ? "in-addr.arpa." : "ip6.arpa.") &&
                    zone.find("..") == std::string::npos && !zone.starts_with('.'),
                "a zone is a fully qualified name");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkOperand(std::string_view(reinterpret_cast<const char*>(data), size));

    const quellan::check::Draw draw = quellan::fuzz::ByteDraw(data, size);
    for (const auto broken : {quellan::check::mergeBroken, quellan::check::excludeBroken,
                              quellan::check::splitBroken, quellan::check::hostPlanBroken}) {
        const std::string found = broken(draw);
        if (!found.empty())
            std::fprintf(stderr, "%s\n", found.c_str());
        require(found.empty(), "a planning property");
    }
    const quellan::check::Window window =
        quellan::check::drawWindow(draw, draw() % 2 == 0 ? Family::IPv4 : Family::IPv6);
    checkZones(quellan::blockAround(window.family, window.address(draw),
                                    static_cast<std::int32_t>(draw() % (window.width() + 1))));
    return 0;
}
