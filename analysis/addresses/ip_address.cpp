#include "addresses/ip_address.h"

#include <algorithm>
#include <array>

namespace quellan {

void appendDecimal128(std::string& out, Uint128 value) {
    // Nineteen digits at a time: one 128-bit division per chunk, and the
    // digits of each chunk by cheap 64-bit ones.
    constexpr std::uint64_t kChunk = 10'000'000'000'000'000'000ULL;
    constexpr int kChunkDigits = 19;
    std::array<char, 40> digits{}; // 2^128 - 1 has 39
    char* const end = digits.data() + digits.size();
    char* next = end;
    while (value >= kChunk) {
        auto chunk = static_cast<std::uint64_t>(value % kChunk);
        value /= kChunk;
        for (int i = 0; i < kChunkDigits; ++i) {
            *--next = static_cast<char>('0' + chunk % 10);
            chunk /= 10;
        }
    }
    auto rest = static_cast<std::uint64_t>(value);
    do {
        *--next = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    out.append(next, end);
}

void appendPowerOfTwo(std::string& out, std::int32_t n) {
    n = std::clamp(n, 0, 128);
    if (n < 128) {
        appendDecimal128(out, Uint128{1} << n);
        return;
    }
    // 2^128 - 1 ends in ...455, so adding one raises only its last digit.
    appendDecimal128(out, ~Uint128{0});
    ++out.back();
}

} // namespace quellan
