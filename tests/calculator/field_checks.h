#pragma once

// Independent judgements of field texts, shared by the property tests and the
// session fuzzer: plain 32-bit arithmetic and character checks, never a call
// into the code they judge.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace quellan::check {

// 35 characters: four groups of eight "0" or "1" with "." between them.
inline bool inBinaryLayout(std::string_view text) {
    if (text.size() != 35)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool dotPlace = i == 8 || i == 17 || i == 26;
        if (dotPlace ? text[i] != '.' : (text[i] != '0' && text[i] != '1'))
            return false;
    }
    return true;
}

inline bool plainDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

inline std::string dotted(std::uint32_t value) {
    return std::to_string(value >> 24) + "." + std::to_string((value >> 16) & 255) + "." +
           std::to_string((value >> 8) & 255) + "." + std::to_string(value & 255);
}

inline std::uint32_t maskOfLength(int bits) {
    return bits <= 0 ? 0 : bits >= 32 ? ~std::uint32_t{0} : ~std::uint32_t{0} << (32 - bits);
}

} // namespace quellan::check
