#pragma once

// Writing text into JSON. Whatever bytes come in, what goes out is valid JSON.

#include <string>
#include <string_view>

namespace quellan {

// The JSON key of the text the results were asked for, first in the results
// of either family.
inline constexpr std::string_view kInputKey = "input";

// `text` as a JSON string, quotes included: '"', '\' and control characters
// escaped, and each byte that does not belong to well-formed UTF-8 replaced
// by U+FFFD.
void appendJsonString(std::string& out, std::string_view text);

// Whether `text` is a JSON integer as it stands: "0", "62", "-1", not "007".
bool isJsonInteger(std::string_view text);

} // namespace quellan
