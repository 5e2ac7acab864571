// First stage of the recalculation: the address in hexadecimal and binary,
// its class and classful mask, and the slider's pull towards that class.

#include "number_text.h"
#include "recalculation.h"

#include <string_view>

namespace quellan {

namespace {

std::int32_t convertOctet(const std::string& text) {
    const auto value = octetValue(text);
    if (!value)
        throw ConversionError(text);
    return *value;
}

struct ClassRow {
    std::string_view leadingBits;
    std::string_view letter;
    std::string_view classfulMask;
    std::int16_t defaultBits; // 0: class D or E, which disables the slider
};

constexpr ClassRow kClassRows[] = {
    {"0", "A", "255.0.0.0", 8},        {"10", "B", "255.255.0.0", 16},
    {"110", "C", "255.255.255.0", 24}, {"1110", "D", "255.0.0.0", 0},
    {"1111", "E", "255.0.0.0", 0},
};

void writeHexAddress(WindowState& state) {
    // Composed before it is written, so a box that does not convert leaves the
    // whole record as it was rather than half an address on screen.
    std::string composed;
    for (std::size_t n = 0; n < state.octets.size(); ++n) {
        const std::string& text = state.octets[n];
        if (text.empty())
            composed.append("00");
        else
            appendHex(composed, static_cast<std::uint32_t>(convertOctet(text)));
        if (n + 1 < state.octets.size())
            composed.push_back('.');
    }
    state.lblHexIPAddr.assign(composed);
}

void writeBinaryAddress(WindowState& state) {
    // Every box converted in the step before, so this one cannot stop
    // half-way and may build the text in the field itself.
    std::string& field = state.lblBinIPAddr;
    field.clear();
    for (std::size_t n = 0; n < state.octets.size(); ++n) {
        if (n > 0)
            field.push_back('.');
        const std::string& text = state.octets[n];
        field.append(text.empty() ? "00000000" : Bin2BitStr(text));
    }
}

void classify(WindowState& state) {
    const std::string_view bits = state.lblBinIPAddr;
    for (const ClassRow& row : kClassRows) {
        if (!bits.starts_with(row.leadingBits))
            continue;
        state.lblClass = row.letter;
        state.lblClassfull = row.classfulMask;
        if (row.defaultBits == 0) {
            state.sliderValue = 0;
            state.sliderEnabled = false;
        } else {
            if (state.bChange) {
                state.sliderValue = row.defaultBits;
                state.intMaskBits = row.defaultBits;
                state.bChange = false;
            }
            state.sliderEnabled = true;
        }
    }
}

} // namespace

std::string Bin2BitStr(const std::string& binOctet) {
    const auto value = static_cast<std::uint32_t>(convertOctet(binOctet));
    std::string bits(8, '0');
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (value & (0x80U >> i))
            bits[i] = '1';
    return bits;
}

void renderHostAddress(WindowState& state) {
    writeHexAddress(state);
    writeBinaryAddress(state);
    classify(state);
}

} // namespace quellan
