#include "addresses/address_text.h"
#include "addresses/json_text.h"
#include "calculator/event_steps.h"
#include "calculator/result_formats.h"

#include <gtest/gtest.h>

#include <string>

namespace {

quellan::WindowState entered(const std::string& input) {
    quellan::WindowState state;
    quellan::windowLoaded(state);
    quellan::addressEntered(state, quellan::parseAddress(input));
    return state;
}

const std::string kFields192 = "Decimal IP address: 3232235786\n"
                               "Binary IP address: 11000000.10101000.00000001.00001010\n"
                               "Hexadecimal IP address: C0.A8.1.A\n"
                               "Address Class: C\n"
                               "Number of bits in mask: 26\n"
                               "Classfull Network Mask: 255.255.255.0\n"
                               "Classless Network Mask: 255.255.255.192\n"
                               "Hex Network Mask: FF.FF.FF.C0\n"
                               "Binary Network mask: 11111111.11111111.11111111.11000000\n"
                               "Usable address range: 192.168.1.1 - 192.168.1.62\n"
                               "Network Address: 192.168.1.0\n"
                               "Broadcast Address: 192.168.1.63\n"
                               "Max hosts: 62\n"
                               "Max nets: 67108862\n";

TEST(ResultsText, FieldsAsCopyAllGivesThemThenTheFacts) {
    const quellan::WindowState state = entered("192.168.1.10/26");
    EXPECT_EQ(quellan::copyAllText(state), kFields192);
    EXPECT_EQ(quellan::resultsText(state), kFields192 +
                                               "Wildcard mask: 0.0.0.63\n"
                                               "Network: 192.168.1.0/26\n"
                                               "Address type: Private-use (RFC 1918)\n"
                                               "Reverse DNS: 10.1.168.192.in-addr.arpa.\n");
}

TEST(ResultsJson, OneObjectWithNumbersAsNumbers) {
    EXPECT_EQ(quellan::resultsJson(entered("192.168.1.10/26"), " 192.168.1.10/26\n"),
              R"({"input":"192.168.1.10/26","decimal":3232235786,)"
              R"("binary":"11000000.10101000.00000001.00001010","hex":"C0.A8.1.A","class":"C",)"
              R"("maskBits":26,"classfulMask":"255.255.255.0","mask":"255.255.255.192",)"
              R"("hexMask":"FF.FF.FF.C0","binaryMask":"11111111.11111111.11111111.11000000",)"
              R"("range":"192.168.1.1 - 192.168.1.62","network":"192.168.1.0",)"
              R"("broadcast":"192.168.1.63","maxHosts":62,"maxNets":67108862,)"
              R"j("wildcard":"0.0.0.63","cidr":"192.168.1.0/26","type":"Private-use (RFC 1918)",)j"
              R"("reverseDns":"10.1.168.192.in-addr.arpa."})");
    // Before any address the decimal field is empty: no number, and still JSON.
    quellan::WindowState loaded;
    quellan::windowLoaded(loaded);
    const std::string json = quellan::resultsJson(loaded, "");
    EXPECT_NE(json.find(R"({"input":"","decimal":null,"binary":)"), std::string::npos) << json;
}

struct ValueCase {
    std::string key;
    std::optional<std::string> value;
};

TEST(ResultValue, GivesWhatTheJsonHoldsUnquoted) {
    const quellan::WindowState state = entered("10.1.2.3 255.255.0.0");
    const ValueCase cases[] = {
        {"input", "10.1.2.3 255.255.0.0"},
        {"maskBits", "16"},
        {"maxNets", "65534"},
        {"network", "10.1.0.0"},
        {"cidr", "10.1.0.0/16"},
        {"wildcard", "0.0.255.255"},
        {"type", "Private-use (RFC 1918)"},
        {"reverseDns", "3.2.1.10.in-addr.arpa."}, // of the address, not of the network
        {"expanded", std::nullopt},               // an IPv6 key
        {"Network", std::nullopt},
        {"", std::nullopt},
    };
    for (const ValueCase& c : cases) {
        EXPECT_EQ(quellan::resultValue(state, "\t10.1.2.3 255.255.0.0", c.key), c.value) << c.key;
        EXPECT_EQ(quellan::isResultKey(c.key), c.value.has_value()) << c.key;
    }
}

struct ShortFormCase {
    std::string input;
    std::string cidr;
    std::string withLength;
    std::string andMask;
    std::string andWildcard;
};

TEST(ShortForms, NetworkAddressMaskAndWildcard) {
    const ShortFormCase cases[] = {
        {"192.168.1.10/26", "192.168.1.0/26", "192.168.1.10/26", "192.168.1.0 255.255.255.192",
         "192.168.1.0 0.0.0.63"},
        {"10.20.30.40", "10.0.0.0/8", "10.20.30.40/8", "10.0.0.0 255.0.0.0",
         "10.0.0.0 0.255.255.255"},
        {"172.16.0.9/32", "172.16.0.9/32", "172.16.0.9/32", "172.16.0.9 255.255.255.255",
         "172.16.0.9 0.0.0.0"},
        {"230.1.2.3", "0.0.0.0/0", "230.1.2.3/0", "0.0.0.0 0.0.0.0", "0.0.0.0 255.255.255.255"},
    };
    for (const ShortFormCase& c : cases) {
        const quellan::WindowState state = entered(c.input);
        EXPECT_EQ(quellan::networkCidr(state), c.cidr) << c.input;
        EXPECT_EQ(quellan::addressWithLength(state), c.withLength) << c.input;
        EXPECT_EQ(quellan::networkAndMask(state), c.andMask) << c.input;
        EXPECT_EQ(quellan::networkAndWildcard(state), c.andWildcard) << c.input;
    }
}

struct JsonStringCase {
    std::string text;
    std::string json;
};

TEST(JsonString, EscapesControlsAndReplacesBrokenUtf8) {
    const JsonStringCase cases[] = {
        {"plain 1.2.3.4/5", R"("plain 1.2.3.4/5")"},
        {"\"quoted\" back\\slash", R"("\"quoted\" back\\slash")"},
        {"\n\r\t\b\f", R"("\n\r\t\b\f")"},
        {std::string("nul\0x\x01\x1f\x7f", 8), R"("nul\u0000x\u0001\u001f\u007f")"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
         "\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\""},
        {"\xFF", "\"\xEF\xBF\xBD\""},                 // never a UTF-8 byte
        {"a\xC3", "\"a\xEF\xBF\xBD\""},               // cut short at the end
        {"\xC3(", "\"\xEF\xBF\xBD(\""},               // cut short by an ASCII character
        {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""}, // overlong "/"
        {"\xE0\x80\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""}, // a surrogate
        {"\xF4\x90\x80\x80",
         "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""}, // above U+10FFFF
        {"\xF4\x8F\xBF\xBF", "\"\xF4\x8F\xBF\xBF\""},             // U+10FFFF itself
    };
    for (const JsonStringCase& c : cases) {
        std::string json;
        quellan::appendJsonString(json, c.text);
        EXPECT_EQ(json, c.json) << testing::PrintToString(c.text);
    }
}

} // namespace
