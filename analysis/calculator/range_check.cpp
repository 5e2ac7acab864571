#include "addresses/number_text.h"
#include "calculator/octet_text.h"
#include "calculator/recalculation.h"

namespace quellan {

bool RangeCheck(WindowState& state, const std::string& TempInput) {
    const LeadingNumber number = leadingNumber(TempInput);
    const double value = roundHalfEven(number.value);

    // A text with something in it but no number at all is not an octet; an
    // empty box is simply not filled in yet and passes as 0.
    if (!number.found && TempInput.find_first_not_of(" \t\r\n") != std::string::npos) {
        state.statusText.clear();
        appendDecimal(state.statusText, static_cast<std::int64_t>(value));
        state.statusText.append(kNotValidSuffix);
        return false;
    }
    if (value < 0) {
        state.statusText = kNegativeMessage;
        return false;
    }
    if (value == 255) {
        state.statusText = kBroadcastMessage;
        return false;
    }
    if (value > 255) {
        state.statusText = kTooLargeMessage;
        return false;
    }
    return true;
}

} // namespace quellan
