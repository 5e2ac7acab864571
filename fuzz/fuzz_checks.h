#pragma once

// What every fuzz target judges its findings with.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace quellan::fuzz {

// The input's bytes eight at a time, as numbers to draw choices from; zeros
// once they run out.
class ByteDraw {
public:
    ByteDraw(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size) {}
    std::uint64_t operator()() {
        std::uint64_t value = 0;
        if (offset_ < size_)
            std::memcpy(&value, data_ + offset_, std::min(sizeof value, size_ - offset_));
        offset_ += sizeof value;
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

// A broken property stops the run, and the fuzzer keeps the input.
inline void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::fflush(stderr);
        std::abort();
    }
}

// What JSON allows inside a document: well-formed UTF-8 (no overlong forms,
// surrogates or code points above U+10FFFF) and no raw control character.
inline bool jsonSafe(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x20 || lead == 0x7F)
            return false;
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        std::uint32_t code = length == 1 ? lead : lead & (0x7FU >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3FU);
        }
        const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

} // namespace quellan::fuzz
