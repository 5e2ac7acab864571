#pragma once

// The record's results as text for people, scripts and other programs: the
// lines "Copy all" puts on the clipboard, the same with the address facts
// after them, one JSON object, single values by JSON key, and the short forms
// that firewall rules and router access lists take. The window and the
// command-line tool both write their results only through these.

#include "calculator/address_facts.h"
#include "calculator/window_state.h"

#include <optional>
#include <string>
#include <string_view>

namespace quellan {

// One line "Caption: value" per field in the window's order, the value
// without the blanks that pad it, and just "Caption:" for an empty field.
std::string copyAllText(const WindowState& state);

// Where the address facts come from: the window's own results take them from
// the record (the slider's length); a script's from the network the user
// gave (address_facts.h), and then the script keys (kScriptFields) follow.
using Given = std::optional<GivenNetwork>;

// copyAllText, then "Wildcard mask: ...", "Network: ...",
// "Address type: ..." and "Reverse DNS: ..." lines, then with `given` a line
// per script key.
std::string resultsText(const WindowState& state, const Given& given = std::nullopt);

// One JSON object on one line: "input", then every field by its key, then the
// address facts, "reverseDns", and with `given` the script keys. Strings are
// trimmed; the counts and the mask lengths are numbers (null should a field
// hold no number), the counts of addresses strings of digits as IPv6 has
// them. Control characters are escaped and bytes that are not UTF-8 become
// U+FFFD, so any input is safe.
std::string resultsJson(const WindowState& state, std::string_view input,
                        const Given& given = std::nullopt);

// Whether `key` is one of resultsJson's keys, script keys included.
bool isResultKey(std::string_view key);
// The value resultsJson gives `key`, as plain text; nothing for a key it
// does not have.
std::optional<std::string> resultValue(const WindowState& state, std::string_view input,
                                       std::string_view key, const Given& given = std::nullopt);

// "192.168.1.0/26"
std::string networkCidr(const WindowState& state);
// "192.168.1.10/26"
std::string addressWithLength(const WindowState& state);
// "192.168.1.0 255.255.255.192"
std::string networkAndMask(const WindowState& state);
// "192.168.1.0 0.0.0.63", as router access lists take it
std::string networkAndWildcard(const WindowState& state);

} // namespace quellan
