// First stage of the recalculation: the address in hexadecimal and binary,
// its class and classful mask, and the slider's pull towards that class.

#include "addresses/number_text.h"
#include "calculator/octet_text.h"
#include "calculator/recalculation.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace quellan {

namespace {

std::int32_t convertOctet(const std::string& text) {
    if (const std::int32_t plain = plainDigits(text); plain >= 0)
        return plain;
    const auto value = octetValue(text);
    if (!value)
        throw ConversionError(text);
    return *value;
}

// Classes A to E, whose addresses begin with the bits 0, 10, 110, 1110 and
// 1111: the ones before the first zero, up to four, number the row.
struct ClassRow {
    std::string_view letter;
    std::string_view classfulMask;
    std::int16_t defaultBits; // 0: class D or E, which disables the slider
};

constexpr std::array<ClassRow, 5> kClassRows{{
    {"A", "255.0.0.0", 8},
    {"B", "255.255.0.0", 16},
    {"C", "255.255.255.0", 24},
    {"D", "255.0.0.0", 0},
    {"E", "255.0.0.0", 0},
}};

// The boxes as numbers. All of them convert before anything is written, so a
// box that does not leaves the whole record as it was rather than half an
// address on screen. An empty box is not converted.
struct Boxes {
    std::array<std::uint32_t, 4> values{};
    std::array<bool, 4> empty{};
};

Boxes convertBoxes(const WindowState& state) {
    Boxes boxes;
    for (std::size_t n = 0; n < state.octets.size(); ++n) {
        boxes.empty[n] = state.octets[n].empty();
        if (!boxes.empty[n])
            boxes.values[n] = static_cast<std::uint32_t>(convertOctet(state.octets[n]));
    }
    return boxes;
}

void writeHexAddress(WindowState& state, const Boxes& boxes) {
    std::string& field = state.lblHexIPAddr;
    field.clear();
    for (std::size_t n = 0; n < boxes.values.size(); ++n) {
        if (n > 0)
            field.push_back('.');
        if (boxes.empty[n])
            field.append("00");
        else
            appendHex(field, boxes.values[n]);
    }
}

// Bin2BitStr for each box that is not empty; convertBoxes has already read
// every box, so none of them fails here.
void writeBinaryAddress(WindowState& state, const Boxes& boxes) {
    std::array<char, kZeroBinaryText.size()> text{};
    std::copy(kZeroBinaryText.begin(), kZeroBinaryText.end(), text.begin());
    for (std::size_t n = 0; n < boxes.values.size(); ++n) {
        if (boxes.empty[n])
            continue;
        const std::string bits = Bin2BitStr(state.octets[n]);
        std::memcpy(text.data() + n * 9, bits.data(), 8);
    }
    state.lblBinIPAddr.assign(text.data(), text.size());
}

void classify(WindowState& state) {
    // Read from the binary field this stage has just written, as the class
    // is defined by its leading bit characters.
    const std::string_view bits = state.lblBinIPAddr;
    std::size_t leadingOnes = 0;
    while (leadingOnes + 1 < kClassRows.size() && leadingOnes < bits.size() &&
           bits[leadingOnes] == '1')
        ++leadingOnes;
    const ClassRow& row = kClassRows[leadingOnes];
    state.lblClass = row.letter;
    state.lblClassfull = row.classfulMask;
    if (row.defaultBits == 0) {
        state.sliderValue = 0;
        state.sliderEnabled = false;
        return;
    }
    if (state.bChange) {
        state.sliderValue = row.defaultBits;
        state.intMaskBits = row.defaultBits;
        state.bChange = false;
    }
    state.sliderEnabled = true;
}

} // namespace

std::string Bin2BitStr(const std::string& binOctet) {
    const auto value = static_cast<std::uint32_t>(convertOctet(binOctet));
    // Each character worked out from its bit, with no branch on the bit:
    // the bits of addresses are random, and mispredicted branches here cost
    // a quarter of quellan's time on a million addresses.
    std::array<char, 8> bits{};
    for (std::size_t i = 0; i < bits.size(); ++i)
        bits[i] = static_cast<char>('0' + ((value >> (7 - i)) & 1U));
    return {bits.data(), bits.size()};
}

std::int32_t classDefaultBits(std::string_view classLetter) {
    for (const ClassRow& row : kClassRows)
        if (row.letter == classLetter)
            return row.defaultBits;
    return 0;
}

void renderHostAddress(WindowState& state) {
    const Boxes boxes = convertBoxes(state);
    writeHexAddress(state, boxes);
    writeBinaryAddress(state, boxes);
    classify(state);
}

} // namespace quellan
