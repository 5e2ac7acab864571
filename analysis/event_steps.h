#pragma once

// What each window notification does to the record. The window reads the
// control that changed, calls one of these, then shows the record again; so
// every sequence of user actions can be replayed here without a display.

#include "window_state.h"

#include <cstddef>
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

} // namespace quellan
