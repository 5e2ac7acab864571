// First stage of the recalculation: the address in hexadecimal and binary,
// its class and classful mask, and the slider's pull towards that class.

#include "addresses/number_text.h"
#include "calculator/octet_text.h"
#include "calculator/recalculation.h"

#include <algorithm>
#include <array>
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
        std::copy(bits.begin(), bits.end(), text.begin() + static_cast<std::ptrdiff_t>(n * 9));
    }
    state.lblBinIPAddr.assign(text.data(), text.size());
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
        if ((value & (0x80U >> i)) != 0)
            bits[i] = '1';
    return bits;
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
