#pragma once

#include "calculator/recalculation.h"

#include <array>
#include <string>

// A record after one recalculation of the given boxes at the given slider
// position. With `octetsChanged` the slider first snaps to the class default,
// as after typing; without it the position stands, as after a slider move.
inline quellan::WindowState recalculated(const std::array<std::string, 4>& octets,
                                         std::int32_t sliderValue, bool octetsChanged = false) {
    quellan::WindowState state;
    state.octets = octets;
    state.sliderValue = sliderValue;
    state.bChange = octetsChanged;
    quellan::Dumbo(state);
    return state;
}

// The boxes as a reader would write them, "_" for an empty box; names the
// rows of the tables in test output.
inline std::string boxes(const std::array<std::string, 4>& octets) {
    std::string text;
    for (std::size_t i = 0; i < octets.size(); ++i)
        text += (i > 0 ? "." : "") + (octets[i].empty() ? std::string("_") : octets[i]);
    return text;
}
