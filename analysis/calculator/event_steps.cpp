#include "calculator/event_steps.h"

#include "calculator/recalculation.h"

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

// Sets the slider as the user would, or says why it cannot.
std::string applyMaskBits(WindowState& state, std::int32_t bits) {
    const std::string length = "/" + std::to_string(bits);
    if (!state.sliderEnabled)
        return "Class " + state.lblClass + " addresses have no mask length; " + length +
               " was not applied.";
    if (bits < kSliderMinimum)
        return "The slider's shortest mask is /1; " + length + " was not applied.";
    sliderMoved(state, bits);
    return {};
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

AddressEntry addressEntered(WindowState& state, const ParsedAddress& address) {
    AddressEntry entry;
    if (!address.isAddress)
        return entry;
    for (std::size_t box = 0; box < address.octets.size(); ++box)
        octetChanged(state, box, address.octets[box]);
    if (!address.reason.empty())
        entry.maskNote = address.reason;
    else if (address.maskBits)
        entry.maskNote = applyMaskBits(state, *address.maskBits);
    for (std::size_t box = 0; box < state.octets.size() && !entry.refusedBox; ++box)
        if (!octetFocusLost(state, box))
            entry.refusedBox = box;
    if (!entry.maskNote.empty()) {
        if (!state.statusText.empty())
            state.statusText.push_back(' ');
        state.statusText.append(entry.maskNote);
    }
    return entry;
}

void pastePartlyTaken(WindowState& state, bool anythingTaken) {
    state.statusText = anythingTaken ? "Not an IPv4 address; only the digits that fit were pasted."
                                     : "Not an IPv4 address; nothing was pasted.";
}

void ipv6AddressPasted(WindowState& state) {
    state.statusText = "An IPv6 address: the quellan command works it out.";
}

} // namespace quellan
