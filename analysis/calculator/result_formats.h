#pragma once

// The record's results as text for people, scripts and other programs: the
// lines "Copy all" puts on the clipboard, the same with the address facts
// after them, one JSON object, single values by JSON key, and the short forms
// that firewall rules and router access lists take. The window and the
// command-line tool both write their results only through these.

#include "calculator/window_state.h"

#include <optional>
#include <string>
#include <string_view>

namespace quellan {

// One line "Caption: value" per field in the window's order, the value
// without the blanks that pad it, and just "Caption:" for an empty field.
std::string copyAllText(const WindowState& state);

// copyAllText, then "Wildcard mask: ...", "Network: ...",
// "Address type: ..." and "Reverse DNS: ..." lines.
std::string resultsText(const WindowState& state);

// One JSON object on one line: "input", then every field by its key, then the
// address facts, and last "reverseDns". Strings are trimmed; the counts and the mask length are
// numbers (null should a field hold no number). Control characters are
// escaped and bytes that are not UTF-8 become U+FFFD, so any input is safe.
std::string resultsJson(const WindowState& state, std::string_view input);

// Whether `key` is one of resultsJson's keys.
bool isResultKey(std::string_view key);
// The value resultsJson gives `key`, as plain text; nothing for a key it
// does not have.
std::optional<std::string> resultValue(const WindowState& state, std::string_view input,
                                       std::string_view key);

// "192.168.1.0/26"
std::string networkCidr(const WindowState& state);
// "192.168.1.10/26"
std::string addressWithLength(const WindowState& state);
// "192.168.1.0 255.255.255.192"
std::string networkAndMask(const WindowState& state);
// "192.168.1.0 0.0.0.63", as router access lists take it
std::string networkAndWildcard(const WindowState& state);

} // namespace quellan
