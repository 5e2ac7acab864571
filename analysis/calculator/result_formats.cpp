#include "calculator/result_formats.h"

#include "addresses/json_text.h"
#include "addresses/number_text.h"
#include "addresses/reverse_dns.h"
#include "calculator/address_facts.h"

#include <algorithm>

namespace quellan {

namespace {

// What QString::trimmed() takes off a field's value in the window.
std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

void appendLine(std::string& out, std::string_view caption, std::string_view value) {
    out.append(caption);
    out.push_back(':');
    if (!value.empty()) {
        out.push_back(' ');
        out.append(value);
    }
    out.push_back('\n');
}

void appendKey(std::string& out, std::string_view key) {
    out.push_back('"');
    out.append(key);
    out += "\":";
}

void appendNumber(std::string& out, std::string_view text) {
    out.append(isJsonInteger(text) ? text : "null");
}

// Not a member of AddressFacts nor in kFactFields: the window works those out
// on every recalculation, where the name is never shown, and the command
// line's list of --get keys is written from kFactFields.
void appendReverseDnsOf(std::string& out, const AddressFacts& facts) {
    appendReverseDns(out, {Family::IPv4, facts.address});
}

std::string lengthAfter(std::uint32_t address, std::int32_t bits) {
    std::string text = dottedQuad(address);
    text.push_back('/');
    appendDecimal(text, bits);
    return text;
}

AddressFacts factsOf(const WindowState& state, const Given& given) {
    return given ? addressFacts(*given) : addressFacts(state);
}

void appendFactJson(std::string& json, const FactField& fact, const AddressFacts& facts) {
    json.push_back(',');
    appendKey(json, fact.key);
    if (fact.number)
        appendNumber(json, facts.*fact.text);
    else
        appendJsonString(json, facts.*fact.text);
}

} // namespace

std::string copyAllText(const WindowState& state) {
    std::string text;
    text.reserve(512);
    for (const DisplayField& field : kDisplayFields)
        appendLine(text, field.caption, trimmed(state.*field.text));
    return text;
}

std::string resultsText(const WindowState& state, const Given& given) {
    std::string text = copyAllText(state);
    const AddressFacts facts = factsOf(state, given);
    for (const FactField& fact : kFactFields)
        appendLine(text, fact.caption, facts.*fact.text);
    text.append(kReverseDnsCaption).append(": ");
    appendReverseDnsOf(text, facts);
    text.push_back('\n');
    if (given)
        for (const FactField& fact : kScriptFields)
            appendLine(text, fact.caption, facts.*fact.text);
    return text;
}

std::string resultsJson(const WindowState& state, std::string_view input, const Given& given) {
    std::string json;
    json.reserve(640);
    json.push_back('{');
    appendKey(json, kInputKey);
    appendJsonString(json, trimmed(input));
    for (const DisplayField& field : kDisplayFields) {
        json.push_back(',');
        appendKey(json, field.key);
        const std::string_view value = trimmed(state.*field.text);
        if (field.number)
            appendNumber(json, value);
        else
            appendJsonString(json, value);
    }
    const AddressFacts facts = factsOf(state, given);
    for (const FactField& fact : kFactFields)
        appendFactJson(json, fact, facts);
    json.push_back(',');
    appendKey(json, kReverseDnsKey);
    json.push_back('"');
    appendReverseDnsOf(json, facts);
    json.push_back('"');
    if (given)
        for (const FactField& fact : kScriptFields)
            appendFactJson(json, fact, facts);
    json.push_back('}');
    return json;
}

bool isResultKey(std::string_view key) {
    const auto named = [key](const auto& field) { return field.key == key; };
    return key == kInputKey || key == kReverseDnsKey ||
           std::any_of(kDisplayFields.begin(), kDisplayFields.end(), named) ||
           std::any_of(kFactFields.begin(), kFactFields.end(), named) ||
           std::any_of(kScriptFields.begin(), kScriptFields.end(), named);
}

std::optional<std::string> resultValue(const WindowState& state, std::string_view input,
                                       std::string_view key, const Given& given) {
    if (key == kInputKey)
        return std::string(trimmed(input));
    for (const DisplayField& field : kDisplayFields)
        if (field.key == key)
            return std::string(trimmed(state.*field.text));
    for (const FactField& fact : kFactFields)
        if (fact.key == key)
            return factsOf(state, given).*fact.text;
    for (const FactField& fact : kScriptFields)
        if (fact.key == key)
            return factsOf(state, given).*fact.text;
    if (key == kReverseDnsKey) {
        std::string name;
        appendReverseDnsOf(name, factsOf(state, given));
        return name;
    }
    return std::nullopt;
}

std::string networkCidr(const WindowState& state) {
    return addressFacts(state).network;
}

std::string addressWithLength(const WindowState& state) {
    const AddressFacts facts = addressFacts(state);
    return lengthAfter(facts.address, facts.maskBits);
}

std::string networkAndMask(const WindowState& state) {
    const AddressFacts facts = addressFacts(state);
    return dottedQuad(facts.address & facts.mask) + ' ' + dottedQuad(facts.mask);
}

std::string networkAndWildcard(const WindowState& state) {
    const AddressFacts facts = addressFacts(state);
    return dottedQuad(facts.address & facts.mask) + ' ' + facts.wildcard;
}

} // namespace quellan
