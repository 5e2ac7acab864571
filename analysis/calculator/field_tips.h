#pragma once

// The value labels' tool-tips. Each says in one sentence what its field means;
// once an address has been worked out, three of them say what the field
// implies beyond its text instead (the class field the address type, the
// classless mask its wildcard, the network address its CIDR form), and the
// range says what masks of 31 and 32 bits are for.

#include "calculator/window_state.h"

#include <array>
#include <string>

namespace quellan {

// In the order of kDisplayFields.
std::array<std::string, kDisplayFields.size()> fieldTips(const WindowState& state);

} // namespace quellan
