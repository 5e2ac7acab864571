#pragma once

// What each window notification does to the record. The window reads the
// control that changed, calls one of these, then shows the record again; so
// every sequence of user actions can be replayed here without a display.

#include "addresses/address_text.h"
#include "calculator/window_state.h"

#include <cstddef>
#include <optional>
#include <string>

namespace quellan {

inline constexpr std::int32_t kSliderMinimum = 1;
inline constexpr std::int32_t kSliderMaximum = 32;

// The window has been created; nothing is computed yet.
void windowLoaded(WindowState& state);

// Box `box` (0 to 3) now holds `text`. Returns false, and does nothing, when
// the text is what the box already held: a keystroke the box refused.
bool octetChanged(WindowState& state, std::size_t box, const std::string& text);

// The user put the slider at `position`, which the track keeps within 1..32.
void sliderMoved(WindowState& state, std::int32_t position);

// "Set default mask" was clicked.
void defaultMaskClicked(WindowState& state);

// The focus is leaving box `box`. Returns whether its text is accepted; on
// refusal the status text holds the reason and the focus belongs back there.
bool octetFocusLost(WindowState& state, std::size_t box);

// A whole address arrived at once (pasted, dropped, or given on a command
// line). It takes the steps a user's hands would: the four octets typed box by
// box, the mask length set on the slider, and every box checked as if left.
// The status text then holds the first refused box's reason and, after it,
// why a mask was not applied.
struct AddressEntry {
    // The first box the check refused, where the focus belongs.
    std::optional<std::size_t> refusedBox;
    // Why a given mask was not applied; empty when it was, or none was given.
    std::string maskNote;
};
// Does nothing for a text that is no address (`isAddress` false).
AddressEntry addressEntered(WindowState& state, const ParsedAddress& address);

// A pasted text that is no address went into one box, which could hold only
// some of its digits, or none.
void pastePartlyTaken(WindowState& state, bool anythingTaken);

// A whole IPv6 address was pasted or dropped into a box: the window works
// out IPv4 only, so nothing is entered and the status says where to go.
void ipv6AddressPasted(WindowState& state);

} // namespace quellan
