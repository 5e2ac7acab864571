#pragma once

// Reading the texts of the window's record the lenient way its octet boxes
// and binary fields are read. Nothing here throws or has undefined behaviour
// for any text.

#include "addresses/number_text.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quellan {

// An octet text read as a decimal number: blanks around it ignored, a
// fraction rounded to the nearest whole number with halves to the even
// neighbour. Empty when the text is not such a number or the result lies
// outside the signed 32-bit range.
std::optional<std::int32_t> octetValue(std::string_view text);

// The octet value of one to three plain digits, what a box nearly always
// holds; -1 for any other text. For the recalculation's hot path: GCC passes
// an optional<int> back through memory, and reading it stalls the caller.
std::int32_t plainDigits(std::string_view text);

// A text read the lenient way the octet check reads it: blanks anywhere are
// skipped and the longest leading decimal number counts. `found` is false
// when no digit begins the text; the value is then 0.
struct LeadingNumber {
    double value = 0.0;
    bool found = false;
};
LeadingNumber leadingNumber(std::string_view text);

// The nearest whole number, halves to the even neighbour: nearbyint() in the
// default rounding mode, without the maths library, whose loading alone
// would slow the command-line tool's start measurably.
double roundHalfEven(double value);

// The four bytes that a 35-character binary text spells, group by group.
// Only "1" counts as a set bit; a text cut short reads as zeros where it ends.
Octets octetsOfBinaryText(std::string_view text);

} // namespace quellan
