#pragma once

// The command-line tool from its arguments to its exit status, with its
// streams passed in so that tests can run it whole.

#include "text_streams.h"

#include <istream>
#include <span>
#include <string_view>

namespace quellan::cli {

inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// `arguments` without the program's name. With no address given the
// addresses come from `in`, unless it is a terminal (`inIsTerminal`).
int run(std::span<const std::string_view> arguments, std::istream& in, bool inIsTerminal,
        TextOutput& out, TextOutput& err);

} // namespace quellan::cli
