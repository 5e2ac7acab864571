// Turns the input bytes into a session of user actions against the record and
// checks, after every action, what must hold whatever the user did.

#include "addresses/address_text.h"
#include "addresses/number_text.h"
#include "calculator/address_facts.h"
#include "calculator/event_steps.h"
#include "calculator/mask_typing.h"
#include "calculator/recalculation.h"
#include "calculator/result_formats.h"
#include "field_checks.h"
#include "fuzz_checks.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

using quellan::check::dotted;
using quellan::check::inBinaryLayout;
using quellan::check::plainDigits;
using quellan::fuzz::jsonSafe;
using quellan::fuzz::require;

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size) {}
    bool empty() const { return position_ >= size_; }
    std::uint8_t next() { return empty() ? 0 : data_[position_++]; }
    std::int32_t nextInt32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | next();
        std::int32_t result = 0;
        std::memcpy(&result, &value, sizeof result);
        return result;
    }
    std::string nextText(std::size_t length) {
        std::string text;
        while (text.size() < length && !empty())
            text.push_back(static_cast<char>(next()));
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

bool fourHexPieces(std::string_view text) {
    int pieces = 1;
    std::size_t pieceLength = 0;
    for (const char c : text) {
        if (c == '.') {
            if (pieceLength == 0)
                return false;
            ++pieces;
            pieceLength = 0;
        } else if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) {
            ++pieceLength;
        } else {
            return false;
        }
    }
    return pieces == 4 && pieceLength > 0;
}

bool systemStatus(std::string_view text) {
    return text.empty() || text == quellan::kStartupHint || text == quellan::kNegativeMessage ||
           text == quellan::kBroadcastMessage || text == quellan::kTooLargeMessage ||
           text.ends_with(quellan::kNotValidSuffix) || text.ends_with(" was not applied.") ||
           text.ends_with(" is not a mask length.") || text.ends_with(" is not a network mask.");
}

// A pasted text: read whole or not at all, and a whole one lands in the boxes.
void paste(quellan::WindowState& state, const std::string& text) {
    const quellan::ParsedAddress parsed = quellan::parseAddress(text);
    require(parsed.isAddress || !parsed.reason.empty(), "a text refused without a reason");
    require(!parsed.maskBits || (*parsed.maskBits >= 0 && *parsed.maskBits <= 32), "mask length");
    // Whatever bytes the text holds, the results stay one line of safe JSON.
    require(jsonSafe(quellan::resultsJson(state, text)), "JSON of any input");
    if (!parsed.isAddress)
        return;
    for (const std::string& octet : parsed.octets)
        require(!octet.empty() && octet.size() <= 3 && plainDigits(octet), "parsed octet");
    const quellan::AddressEntry entry = quellan::addressEntered(state, parsed);
    require(state.octets == parsed.octets, "pasted octets in the boxes");
    if (parsed.maskBits && entry.maskNote.empty())
        require(state.sliderValue == *parsed.maskBits, "pasted mask length on the slider");
}

// A box's value when it holds nothing but a whole number from 0 to 255, an
// empty box counting as 0.
std::optional<std::uint32_t> plainOctet(const std::string& text) {
    if (text.empty())
        return 0;
    if (text.size() > 3 || !plainDigits(text))
        return std::nullopt;
    const auto value = static_cast<std::uint32_t>(std::atoi(text.c_str()));
    return value <= 255 ? std::optional(value) : std::nullopt;
}

void checkInvariants(const quellan::WindowState& state) {
    require(inBinaryLayout(state.lblBinIPAddr), "binary address layout");
    require(inBinaryLayout(state.lblBinMask), "binary mask layout");
    require(fourHexPieces(state.lblHexIPAddr), "hexadecimal address");
    require(fourHexPieces(state.lblHexMask), "hexadecimal mask");
    require(systemStatus(state.statusText), ("status text: " + state.statusText).c_str());
    require(plainDigits(state.lblMaxHosts), "host count");
    require(plainDigits(state.lblMaxNets), "network count");

    // Until the first recalculation the fields hold their start-up texts.
    if (state.lblNetNumber.empty())
        return;
    std::uint32_t address = 0;
    for (const std::string& text : state.octets) {
        const auto octet = plainOctet(text);
        if (!octet)
            return;
        address = (address << 8) | *octet;
    }
    // Every box holds a plain octet, so the last recalculation saw these very
    // boxes and succeeded: the fields must agree with 32-bit arithmetic.
    const std::int32_t bits = std::clamp(state.sliderValue, 0, 32);
    const std::uint32_t mask = quellan::check::maskOfLength(bits);
    const std::uint32_t network = address & mask;
    const std::uint32_t broadcast = network | ~mask;
    require(state.lbl32Decimal == std::to_string(address), "decimal address");
    require(state.lblNetMask == dotted(mask), "mask");
    require(state.lblNetNumber == dotted(network), "network");
    require(state.lblBroadcast == dotted(broadcast), "broadcast");
    require(state.lblHosts == dotted(network + 1) + " - " + dotted(broadcast - 1), "range");
    const quellan::AddressFacts facts = quellan::addressFacts(state);
    require(facts.address == address, "facts: address");
    require(facts.wildcard == dotted(~mask), "facts: wildcard");
    require(facts.network == dotted(network) + "/" + std::to_string(bits), "facts: network");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, size);
    quellan::WindowState state;
    quellan::windowLoaded(state);
    quellan::MaskTyping typing;
    checkInvariants(state);

    while (!bytes.empty()) {
        const std::uint8_t action = bytes.next();
        const std::size_t box = bytes.next() % 4;
        switch (action % 9) {
        case 0: { // a digit typed at the end of a box, as the masked box allows
            std::string text = state.octets[box];
            if (text.size() < 3)
                text.push_back(static_cast<char>('0' + bytes.next() % 10));
            quellan::octetChanged(state, box, text);
            break;
        }
        case 1: { // the last character deleted
            std::string text = state.octets[box];
            if (!text.empty())
                text.pop_back();
            quellan::octetChanged(state, box, text);
            break;
        }
        case 2: // any text at all, as a caller might pass it
            quellan::octetChanged(state, box, bytes.nextText(bytes.next()));
            break;
        case 3:
            quellan::sliderMoved(state, bytes.nextInt32());
            break;
        case 4:
            quellan::defaultMaskClicked(state);
            break;
        case 5:
            quellan::octetFocusLost(state, box);
            break;
        case 6: // a position written by a caller, outside the track too
            state.sliderValue = bytes.nextInt32();
            try {
                quellan::Dumbo(state);
            } catch (const quellan::ConversionError&) {
            }
            break;
        case 7:
            paste(state, bytes.nextText(bytes.next()));
            break;
        case 8: // keys typed on the slider, as the window passes them on
            if (const auto length = typing.type(static_cast<char>(bytes.next()), box == 0)) {
                require(*length >= quellan::kSliderMinimum && *length <= quellan::kSliderMaximum,
                        "typed mask length");
                quellan::sliderMoved(state, *length);
            }
            break;
        }
        checkInvariants(state);
    }
    return 0;
}
