#pragma once

// The recalculation and the functions the window exposes by name. Dumbo runs
// three stages over the record, each reading back the texts the one before it
// wrote, so a stage can be checked against the record alone.

#include "calculator/window_state.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace quellan {

// What the status bar says when an octet is refused or cannot be read.
inline constexpr std::string_view kNegativeMessage = "You may not use negative numbers.";
inline constexpr std::string_view kBroadcastMessage = "255 represents a broadcast address.";
inline constexpr std::string_view kTooLargeMessage = "Value is larger than 254.";
inline constexpr std::string_view kNotValidSuffix = " is not a valid input.";

// An octet text that does not read as a whole number of the signed 32-bit
// range. Dumbo meets it in its first step, before it has written anything, so
// the record stays as it was.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(std::string octetText);
    const std::string& octetText() const noexcept { return text_; }

private:
    std::string text_;
};

// Rewrites every display field, the slider and, for class A, B or C while
// bChange is set, intMaskBits and bChange. Throws ConversionError.
void Dumbo(WindowState& state);

// Eight bit characters for the low byte of the octet text, weight 128 first.
// Throws ConversionError.
std::string Bin2BitStr(const std::string& binOctet);

// Whether an octet text may stand in a host address. On refusal the status
// text says why; on acceptance it is left alone.
bool RangeCheck(WindowState& state, const std::string& TempInput);

// The classful default mask length of the class the class field names, "A"
// to "C"; 0 for "D", "E" and any other text, which have none.
std::int32_t classDefaultBits(std::string_view classLetter);

// The stages of Dumbo, in the order it runs them.
void renderHostAddress(WindowState& state);
void renderMask(WindowState& state);
void renderNetworkRange(WindowState& state);

} // namespace quellan
