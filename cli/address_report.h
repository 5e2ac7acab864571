#pragma once

// One address worked out as the window works it out, and what the command
// line says about it.

#include "calculator/window_state.h"
#include "command_line.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quellan::cli {

struct AddressReport {
    // The results in the form asked for, each line ended; empty when refused.
    std::string results;
    // "quellan: INPUT: REASON" lines for standard error: why the address was
    // refused, or notes on results that stand (a mask length the window's
    // fields cannot take).
    std::string messages;
    bool refused = false;
};

// Works addresses out one after another. For each IPv4 address a fresh
// window record is loaded and the address entered into it, as pasted into the
// window: the boxes typed, the mask length set on the slider and every box
// checked as if left; the script keys are worked out from the address and
// the length as given (address_facts.h). An address that does not read,
// whose mask does not read, with an octet above 255 or with a leading zero is
// refused. A text with a ':' is an IPv6 address, worked out from its 128 bits
// alone (ipv6_results.h).
class AddressCalculator {
public:
    AddressCalculator(OutputForm form, std::string_view key);

    // `line`: where the input stands in the standard input, from 1; 0 for an
    // argument.
    AddressReport calculate(std::string_view input, std::uint64_t line = 0);

private:
    AddressReport calculateIpv6(std::string_view input, std::uint64_t line) const;

    OutputForm form_;
    std::string key_;
    // A note that a mask was not applied to the window's fields is about
    // them; a script key has the mask as given.
    bool windowFieldsShown_;
    // Kept from one address to the next only for the memory its texts hold:
    // each address starts from a copy of a fresh record.
    WindowState record_;
    WindowState scratch_;
};

} // namespace quellan::cli
