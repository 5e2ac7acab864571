#include "event_steps.h"

#include "recalculation.h"

#include <algorithm>

namespace quellan {

namespace {

// A recalculation that meets an unreadable octet stops there; the user
// learns why from the status bar and the window carries on.
void recalculate(WindowState& state) {
    try {
        Dumbo(state);
    } catch (const ConversionError& error) {
        // Not what(): a C string ends at the first NUL the text may hold.
        state.statusText = error.octetText();
        state.statusText.append(kNotValidSuffix);
    }
}

} // namespace

void windowLoaded(WindowState& state) {
    state.bChange = true;
}

bool octetChanged(WindowState& state, std::size_t box, const std::string& text) {
    std::string& octet = state.octets.at(box);
    if (octet == text)
        return false;
    octet = text;
    state.bChange = true;
    recalculate(state);
    return true;
}

void sliderMoved(WindowState& state, std::int32_t position) {
    // A disabled slider (class D or E) cannot be moved.
    if (!state.sliderEnabled)
        return;
    state.sliderValue = std::clamp(position, kSliderMinimum, kSliderMaximum);
    recalculate(state);
}

void defaultMaskClicked(WindowState& state) {
    state.sliderValue = state.intMaskBits;
    recalculate(state);
}

bool octetFocusLost(WindowState& state, std::size_t box) {
    return RangeCheck(state, state.octets.at(box));
}

} // namespace quellan
