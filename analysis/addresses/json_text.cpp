#include "addresses/json_text.h"

#include <algorithm>
#include <cstddef>

namespace quellan {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0U) == 0x80U;
}

// Length of the well-formed UTF-8 sequence at the start of `text` (RFC 3629:
// no overlong forms, no surrogates, nothing above U+10FFFF); 0 if there is none.
std::size_t sequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80U)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80U; // the range the second byte must lie in
    unsigned char high = 0xBFU;
    if (lead >= 0xC2U && lead <= 0xDFU) {
        length = 2;
    } else if (lead >= 0xE0U && lead <= 0xEFU) {
        length = 3;
        if (lead == 0xE0U)
            low = 0xA0U;
        else if (lead == 0xEDU)
            high = 0x9FU;
    } else if (lead >= 0xF0U && lead <= 0xF4U) {
        length = 4;
        if (lead == 0xF0U)
            low = 0x90U;
        else if (lead == 0xF4U)
            high = 0x8FU;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    const auto second = static_cast<unsigned char>(text[1]);
    if (second < low || second > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!isContinuation(static_cast<unsigned char>(text[i])))
            return 0;
    return length;
}

void appendEscape(std::string& out, unsigned char c) {
    switch (c) {
    case '"':
        out += "\\\"";
        return;
    case '\\':
        out += "\\\\";
        return;
    case '\b':
        out += "\\b";
        return;
    case '\f':
        out += "\\f";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        constexpr std::string_view kHex = "0123456789abcdef";
        out += "\\u00";
        out.push_back(kHex[c >> 4]);
        out.push_back(kHex[c & 0x0FU]);
    }
}

} // namespace

void appendJsonString(std::string& out, std::string_view text) {
    out.push_back('"');
    while (!text.empty()) {
        // Printable ASCII, all a field ever holds, goes out a run at a time.
        const auto plain = std::find_if_not(text.begin(), text.end(), [](char c) {
            return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
        });
        const auto run = static_cast<std::size_t>(plain - text.begin());
        out.append(text.substr(0, run));
        text.remove_prefix(run);
        if (text.empty())
            break;
        const auto c = static_cast<unsigned char>(text.front());
        std::size_t taken = 1;
        if (c < 0x20U || c == 0x7FU || c == '"' || c == '\\') {
            appendEscape(out, c);
        } else if (const std::size_t length = sequenceLength(text); length > 0) {
            out.append(text.substr(0, length));
            taken = length;
        } else {
            out.append(kReplacement);
        }
        text.remove_prefix(taken);
    }
    out.push_back('"');
}

bool isJsonInteger(std::string_view text) {
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    if (text.empty() || (text.front() == '0' && text.size() > 1))
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace quellan
