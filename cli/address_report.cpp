#include "address_report.h"

#include "addresses/address_text.h"
#include "addresses/ipv6_results.h"
#include "answer_output.h"
#include "calculator/event_steps.h"
#include "calculator/octet_text.h"
#include "calculator/recalculation.h"
#include "calculator/result_formats.h"

#include <algorithm>

namespace quellan::cli {

namespace {

const WindowState kFreshRecord;

// The window refuses an octet of 255 on leaving its box but still shows its
// results, which a 255 does not change: the command line says nothing of it.
// Above that the command line refuses the address. Returns the first reason
// for refusing.
std::string octetRefusal(const ParsedAddress& parsed, WindowState& scratch) {
    for (const std::string& octet : parsed.octets)
        if (!RangeCheck(scratch, octet) && scratch.statusText != kBroadcastMessage)
            return scratch.statusText;
    return {};
}

// The octets have been held to 255 by then.
std::uint32_t addressOf(const ParsedAddress& parsed) {
    std::uint32_t address = 0;
    for (const std::string& octet : parsed.octets)
        address = (address << 8) | static_cast<std::uint32_t>(plainDigits(octet));
    return address;
}

} // namespace

AddressCalculator::AddressCalculator(OutputForm form, std::string_view key)
    : form_(form)
    , key_(key)
    , windowFieldsShown_(
          form != OutputForm::Value ||
          std::any_of(kDisplayFields.begin(), kDisplayFields.end(),
                      [key](const DisplayField& field) { return field.key == key; })) {}

AddressReport AddressCalculator::calculate(std::string_view input, std::uint64_t line) {
    if (looksLikeIpv6(input))
        return calculateIpv6(input, line);
    AddressReport report;
    const ParsedAddress parsed = parseAddress(input);
    std::string refusal = parsed.reason;
    if (parsed.isAddress && refusal.empty())
        refusal = octetRefusal(parsed, scratch_);
    if (refusal.empty() &&
        hasLeadingZeros({parsed.octets[0], parsed.octets[1], parsed.octets[2], parsed.octets[3]}))
        refusal = kLeadingZeros;
    if (!refusal.empty()) {
        appendMessage(report.messages, input, refusal, line);
        report.refused = true;
        return report;
    }

    WindowState& state = record_;
    state = kFreshRecord;
    windowLoaded(state);
    const AddressEntry entry = addressEntered(state, parsed);
    if (!entry.maskNote.empty() && windowFieldsShown_)
        appendMessage(report.messages, input, entry.maskNote, line);

    const GivenNetwork given = givenNetwork(addressOf(parsed), parsed.maskBits);
    switch (form_) {
    case OutputForm::Text:
        report.results = resultsText(state, given);
        break;
    case OutputForm::Json:
        report.results = resultsJson(state, input, given);
        report.results.push_back('\n');
        break;
    case OutputForm::Value:
        report.results = resultValue(state, input, key_, given).value_or(std::string());
        report.results.push_back('\n');
        break;
    }
    return report;
}

AddressReport AddressCalculator::calculateIpv6(std::string_view input, std::uint64_t line) const {
    AddressReport report;
    const ParsedIpv6 parsed = parseIpv6(input);
    if (!parsed.reason.empty()) {
        appendMessage(report.messages, input, parsed.reason, line);
        report.refused = true;
        return report;
    }
    switch (form_) {
    case OutputForm::Text:
        report.results = ipv6ResultsText(parsed);
        break;
    case OutputForm::Json:
        report.results = ipv6ResultsJson(parsed, input);
        report.results.push_back('\n');
        break;
    case OutputForm::Value:
        report.results = ipv6ResultValue(parsed, input, key_).value_or(std::string());
        report.results.push_back('\n');
        break;
    }
    return report;
}

} // namespace quellan::cli
