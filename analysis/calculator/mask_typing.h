#pragma once

// Keys typed while the slider has the focus, read as a mask length: "2" then
// "6" give 26; a digit that would take the number past 32 starts a new one,
// so "3" then "3" give 3 and then 3 again; a dotted mask typed in full
// ("255.255.240.0", or its wildcard "0.0.15.255") gives its length, 20.

#include <cstdint>
#include <optional>
#include <string>

namespace quellan {

class MaskTyping {
public:
    // `key` is a digit or "."; `fresh` when it begins a new entry (the first
    // key since the slider took the focus, or after a pause). Returns the
    // length to set the slider to, if the keys so far spell one it offers.
    std::optional<std::int32_t> type(char key, bool fresh);

private:
    std::string typed_;
    std::int32_t number_ = 0;
};

} // namespace quellan
