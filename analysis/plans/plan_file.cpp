#include "plans/plan_file.h"

#include "addresses/address_text.h"
#include "addresses/json_text.h"
#include "addresses/number_text.h"
#include "networks/block_text.h"
#include "networks/host_plan.h"
#include "networks/operand_text.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>

namespace quellan {

namespace {

using Json = nlohmann::json;

// Characters handed to the JSON reader one at a time, each noting how far
// the reading has come: the reader reports no places of its own, and the
// errors name the line each subnet starts on.
class TrackedChars {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TrackedChars(const char* at, const char** read)
        : at_(at)
        , read_(read) {}
    reference operator*() const { return *at_; }
    TrackedChars& operator++() {
        *read_ = ++at_;
        return *this;
    }
    TrackedChars operator++(int) {
        TrackedChars before = *this;
        ++*this;
        return before;
    }
    bool operator==(const TrackedChars& other) const { return at_ == other.at_; }

private:
    const char* at_;
    const char** read_;
};

// Line numbers of places met in order, counted once.
class Lines {
public:
    explicit Lines(std::string_view text)
        : counted_(text.data()) {}
    std::size_t at(const char* place) {
        if (place > counted_) {
            line_ += static_cast<std::size_t>(std::count(counted_, place, '\n'));
            counted_ = place;
        }
        return line_;
    }

private:
    const char* counted_;
    std::size_t line_ = 1;
};

enum class Level { Top, Networks, Network, Subnets, Subnet };

// A network as read, with the line of each subnet, checked once all is read.
struct ReadNetwork {
    std::size_t line = 0;
    bool hasBlock = false;
    PlanNetwork network;
    std::vector<std::size_t> subnetLines;
};

// Builds the plan from the reader's events. A value of the wrong kind stops
// the reading; a value of the right kind that is refused is noted, and the
// reading goes on to find the other ones.
// The member names are those nlohmann_json's event reader calls.
class PlanEvents {
public:
    using string_t = Json::string_t;
    using number_integer_t = Json::number_integer_t;
    using number_unsigned_t = Json::number_unsigned_t;
    using number_float_t = Json::number_float_t;
    using binary_t = Json::binary_t;

    PlanEvents(std::string_view text, const char** read)
        : read_(read)
        , lines_(text)
        , start_(text.data())
        , size_(text.size()) {}

    bool null() { return scalar(Kind::Null, "null"); }
    bool boolean(bool value) { return scalar(Kind::Other, value ? "true" : "false"); }
    bool number_integer(number_integer_t value) {
        std::string text;
        appendDecimal(text, value);
        if (capturing())
            return captureScalar(text);
        if (key_ == "vlan" && level() == Level::Subnet) {
            noteLabel(vlanReason(value));
            subnet().labels.edit().vlan =
                static_cast<std::int32_t>(std::clamp<std::int64_t>(value, 0, 9999));
            return true;
        }
        return scalar(Kind::Number, text);
    }
    bool number_unsigned(number_unsigned_t value) {
        std::string text;
        appendDecimal128(text, value);
        return number(text, value);
    }
    bool number_float(number_float_t /*value*/, const string_t& text) {
        return number(text, std::nullopt);
    }
    bool string(string_t& value) {
        if (capturing()) {
            std::string text;
            appendJsonString(text, value);
            return captureScalar(text);
        }
        return text(value);
    }
    bool binary(binary_t& /*value*/) { return fail("Binary values have no place in a plan."); }

    bool start_object(std::size_t /*elements*/) {
        keyStarts_.push_back(keys_.size());
        if (capturing())
            return captureOpen('{');
        if (levels_.empty())
            return enter(Level::Top);
        if (level() == Level::Networks) {
            networks_.emplace_back();
            networks_.back().line = lineHere();
            reserveSubnets();
            return enter(Level::Network);
        }
        if (level() == Level::Subnets) {
            // A file of ten million subnets is refused before it is held.
            if (++subnetCount_ > kMostSubnets)
                return fail("The plan holds more than " + std::to_string(kMostSubnets) +
                            " subnets, the most a plan holds ('quellan split' lists any number).");
            ReadNetwork& network = networks_.back();
            network.network.subnets.emplace_back();
            network.subnetLines.push_back(lineHere());
            hasCidr_ = false;
            return enter(Level::Subnet);
        }
        if (unknownKey())
            return startCapture() && captureOpen('{');
        return wrongKind();
    }
    bool end_object() {
        keys_.resize(keyStarts_.back());
        keyStarts_.pop_back();
        if (capturing())
            return captureClose('}');
        if (level() == Level::Subnet && !hasCidr_) {
            errorAt(subnetLine(), "A subnet needs its \"cidr\".");
            // Not checked again as a block it does not have.
            networks_.back().network.subnets.pop_back();
            networks_.back().subnetLines.pop_back();
        }
        if (level() == Level::Network && !networks_.back().hasBlock)
            errorAt(networks_.back().line, "A network needs its \"network\".");
        levels_.pop_back();
        key_.clear();
        return true;
    }
    bool start_array(std::size_t /*elements*/) {
        if (capturing())
            return captureOpen('[');
        if (levels_.empty())
            return wrongKind();
        if (level() == Level::Top && key_ == "networks")
            return enter(Level::Networks);
        if (level() == Level::Network && key_ == "subnets")
            return enter(Level::Subnets);
        if (unknownKey())
            return startCapture() && captureOpen('[');
        return wrongKind();
    }
    bool end_array() {
        if (capturing())
            return captureClose(']');
        levels_.pop_back();
        key_.clear();
        return true;
    }
    bool key(string_t& name) {
        const auto open = keys_.begin() + static_cast<std::ptrdiff_t>(keyStarts_.back());
        if (std::find(open, keys_.end(), name) != keys_.end())
            return fail("The key \"" + shownText(name) + "\" stands twice in one object.");
        keys_.push_back(name);
        if (capturing()) {
            captureComma();
            appendJsonString(captured_, name);
            captured_.push_back(':');
            open_.back().expectsValue = true;
            return true;
        }
        key_ = name;
        return true;
    }
    bool parse_error(std::size_t position, const std::string& /*token*/,
                     const nlohmann::detail::exception& error) {
        // "[json.exception.parse_error.101] parse error at line 1, column 2:
        // syntax error while parsing value - invalid literal; last read: 'x'"
        std::string what = error.what();
        const std::size_t colon = what.find(": ");
        what = colon == std::string::npos ? what : what.substr(colon + 2);
        what = what.substr(0, what.find("; last read"));
        const std::size_t before = std::min(position > 0 ? position - 1 : 0, size_);
        errorAt(1 + static_cast<std::size_t>(std::count(start_, start_ + before, '\n')),
                "Not JSON: " + shownText(what, 200) + ".");
        return false;
    }

    struct Top {
        std::optional<std::string> format;
        std::optional<std::uint64_t> version;
        std::optional<std::string> profile;
        std::size_t profileLine = 1;
        std::vector<ExtraKey> extra;
    };

    Top top;
    std::vector<ReadNetwork> networks_;
    std::vector<std::pair<std::size_t, std::string>> errors;
    // A newer file says nothing more this program can trust.
    bool newer = false;

private:
    enum class Kind { Null, Number, Other };
    struct Open {
        bool any = false;
        bool expectsValue = false; // a key has been written
    };

    Level level() const { return levels_.back(); }
    Subnet& subnet() { return networks_.back().network.subnets.back(); }
    std::size_t subnetLine() const { return networks_.back().subnetLines.back(); }
    std::size_t lineHere() { return lines_.at(*read_); }

    // A million subnets grown one at a time would be copied twenty times
    // over: room is made at once for as many as the text up to the next
    // network can hold.
    void reserveSubnets() {
        const std::string_view rest(*read_, size_ - static_cast<std::size_t>(*read_ - start_));
        const std::string_view upToNext = rest.substr(0, rest.find("\"network\"", 1));
        std::size_t count = 0;
        for (std::size_t at = upToNext.find("\"cidr\""); at != std::string_view::npos;
             at = upToNext.find("\"cidr\"", at + 6))
            ++count;
        ReadNetwork& network = networks_.back();
        network.network.subnets.reserve(std::min(count, kMostSubnets + 1));
        network.subnetLines.reserve(std::min(count, kMostSubnets + 1));
    }

    bool enter(Level level) {
        levels_.push_back(level);
        key_.clear();
        return true;
    }

    std::size_t errorLine() {
        if (!levels_.empty() && level() == Level::Subnet)
            return subnetLine();
        if (!levels_.empty() && level() == Level::Network)
            return networks_.back().line;
        return lineHere();
    }
    void errorAt(std::size_t line, std::string reason) {
        errors.emplace_back(line, std::move(reason));
    }
    bool fail(std::string reason) {
        errorAt(errorLine(), std::move(reason));
        return false;
    }
    void noteLabel(const std::string& reason) {
        if (!reason.empty())
            errorAt(errorLine(), reason);
    }

    bool known(std::string_view name) const {
        static constexpr std::string_view kTop[] = {"format", "version", "profile", "networks"};
        static constexpr std::string_view kNetwork[] = {"network", "name", "subnets"};
        static constexpr std::string_view kSubnet[] = {"cidr",  "name", "vlan",
                                                       "hosts", "note", "color"};
        const auto in = [name](const auto& list) {
            return std::find(std::begin(list), std::end(list), name) != std::end(list);
        };
        switch (level()) {
        case Level::Top:
            return in(kTop);
        case Level::Network:
            return in(kNetwork);
        case Level::Subnet:
            return in(kSubnet);
        default:
            return true;
        }
    }
    bool unknownKey() const {
        const Level here = level();
        return (here == Level::Top || here == Level::Network || here == Level::Subnet) &&
               !known(key_);
    }
    bool wrongKind() {
        if (levels_.empty())
            return fail("A plan is a JSON object.");
        switch (level()) {
        case Level::Networks:
            return fail("Each of \"networks\" is an object.");
        case Level::Subnets:
            return fail("Each of \"subnets\" is an object.");
        default:
            break;
        }
        static constexpr std::pair<std::string_view, std::string_view> kKinds[] = {
            {"format", "text"},
            {"version", "a whole number"},
            {"profile", "text"},
            {"networks", "a list"},
            {"network", "text"},
            {"subnets", "a list"},
            {"cidr", "text"},
            {"name", "text"},
            {"vlan", "a number from 1 to 4094"},
            {"hosts", "a whole number"},
            {"note", "text"},
            {"color", "text"}};
        for (const auto& [name, kind] : kKinds)
            if (name == key_)
                return fail("\"" + key_ + "\" is " + std::string(kind) + ".");
        return fail("Unexpected value.");
    }

    // A value of a key this program does not know, kept as compact JSON.
    bool capturing() const { return !open_.empty() || capturingScalar_; }
    bool startCapture() {
        captured_.clear();
        captureKey_ = key_;
        return true;
    }
    void captureComma() {
        Open& open = open_.back();
        if (open.any)
            captured_.push_back(',');
        open.any = true;
    }
    void captureValue() {
        if (!open_.empty() && !open_.back().expectsValue)
            captureComma();
        if (!open_.empty())
            open_.back().expectsValue = false;
    }
    bool captureOpen(char bracket) {
        captureValue();
        captured_.push_back(bracket);
        open_.push_back({});
        return true;
    }
    bool captureClose(char bracket) {
        captured_.push_back(bracket);
        open_.pop_back();
        if (open_.empty())
            finishCapture();
        return true;
    }
    bool captureScalar(std::string_view text) {
        captureValue();
        captured_.append(text);
        if (open_.empty())
            finishCapture();
        return true;
    }
    void finishCapture() {
        ExtraKey extra{captureKey_, captured_};
        switch (level()) {
        case Level::Top:
            top.extra.push_back(std::move(extra));
            break;
        case Level::Network:
            networks_.back().network.extra.push_back(std::move(extra));
            break;
        default:
            subnet().labels.edit().extra.push_back(std::move(extra));
            break;
        }
        capturingScalar_ = false;
    }

    bool scalar(Kind kind, std::string_view text) {
        if (capturing())
            return captureScalar(text);
        if (!levels_.empty() && unknownKey()) {
            startCapture();
            capturingScalar_ = true;
            return captureScalar(text);
        }
        // A label given as null is a label not given.
        static constexpr std::string_view kLabels[] = {"name", "vlan", "hosts", "note", "color"};
        if (kind == Kind::Null && !levels_.empty() && level() == Level::Subnet &&
            std::find(std::begin(kLabels), std::end(kLabels), key_) != std::end(kLabels))
            return true;
        if (kind == Kind::Null && !levels_.empty() && level() == Level::Network && key_ == "name")
            return true;
        return wrongKind();
    }

    bool number(std::string_view text, std::optional<std::uint64_t> value) {
        if (capturing() || levels_.empty() || unknownKey())
            return scalar(Kind::Number, text);
        if (level() == Level::Top && key_ == "version" && value) {
            top.version = *value;
            if (*value > kPlanVersion) {
                newer = true;
                return false;
            }
            return true;
        }
        if (level() == Level::Subnet && key_ == "vlan" && value) {
            noteLabel(
                vlanReason(static_cast<std::int64_t>(std::min<std::uint64_t>(*value, 99999))));
            subnet().labels.edit().vlan =
                static_cast<std::int32_t>(std::min<std::uint64_t>(*value, 9999));
            return true;
        }
        if (level() == Level::Subnet && key_ == "hosts") {
            const HostCount count = readHostCount(allDigits(text) ? text : "?");
            if (!count.reason.empty())
                return fail("\"hosts\" is a whole number from 1 to 2^128 - 1.");
            subnet().labels.edit().hosts = count.count;
            return true;
        }
        return wrongKind();
    }

    bool text(std::string& value) {
        if (levels_.empty())
            return wrongKind();
        if (unknownKey()) {
            startCapture();
            capturingScalar_ = true;
            std::string json;
            appendJsonString(json, value);
            return captureScalar(json);
        }
        switch (level()) {
        case Level::Top:
            if (key_ == "format") {
                top.format = value;
                return true;
            }
            if (key_ == "profile") {
                top.profile = value;
                top.profileLine = lineHere();
                return true;
            }
            break;
        case Level::Network:
            if (key_ == "network") {
                const CidrRead cidr = readStrictCidr(value);
                if (!cidr.reason.empty())
                    return fail(cidr.reason);
                networks_.back().network.block = cidr.block;
                networks_.back().hasBlock = true;
                return true;
            }
            if (key_ == "name") {
                noteLabel(nameReason(value));
                networks_.back().network.name = std::move(value);
                return true;
            }
            break;
        case Level::Subnet:
            return subnetText(value);
        default:
            break;
        }
        return wrongKind();
    }

    bool subnetText(std::string& value) {
        if (key_ == "cidr") {
            const CidrRead cidr = readStrictCidr(value);
            if (!cidr.reason.empty())
                return fail(cidr.reason);
            subnet().block = cidr.block;
            hasCidr_ = true;
        } else if (key_ == "name") {
            noteLabel(nameReason(value));
            subnet().labels.edit().name = std::move(value);
        } else if (key_ == "note") {
            subnet().labels.edit().note = std::move(value);
        } else if (key_ == "color") {
            noteLabel(colorReason(value));
            subnet().labels.edit().color = std::move(value);
        } else {
            return wrongKind();
        }
        return true;
    }

    const char** read_;
    Lines lines_;
    const char* start_;
    std::size_t size_;
    std::vector<Level> levels_;
    // The keys of every object still open, one after the other, and where
    // each object's begin: no allocation for each of a million subnets.
    std::vector<std::string> keys_;
    std::vector<std::size_t> keyStarts_;
    std::string key_;
    bool hasCidr_ = false;
    std::size_t subnetCount_ = 0;

    std::vector<Open> open_;
    bool capturingScalar_ = false;
    std::string captured_;
    std::string captureKey_;
};

std::string rangeText(Family family, Uint128 first, Uint128 last) {
    std::string text;
    appendAddress(text, family, first);
    text.push_back('-');
    appendAddress(text, family, last);
    return text;
}

// The tiling of one network, its subnets put in address order first.
void checkSubnets(ReadNetwork& read, std::vector<std::pair<std::size_t, std::string>>& errors) {
    PlanNetwork& network = read.network;
    auto& subnets = network.subnets;
    auto& lines = read.subnetLines;
    const auto before = [](const Subnet& a, const Subnet& b) {
        return addressOrder(a.block, b.block);
    };
    if (!std::is_sorted(subnets.begin(), subnets.end(), before)) {
        std::vector<std::size_t> order(subnets.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(), [&subnets](std::size_t a, std::size_t b) {
            return addressOrder(subnets[a].block, subnets[b].block);
        });
        std::vector<Subnet> sorted;
        std::vector<std::size_t> sortedLines;
        sorted.reserve(subnets.size());
        for (const std::size_t i : order) {
            sorted.push_back(std::move(subnets[i]));
            sortedLines.push_back(lines[i]);
        }
        subnets = std::move(sorted);
        lines = std::move(sortedLines);
    }
    const Block& whole = network.block;
    const std::string wholeText = cidrText(whole);
    Uint128 next = whole.first;
    bool pastEnd = false; // the subnet before ended with the family's last address
    const Subnet* previous = nullptr;
    std::size_t previousLine = 0;
    for (std::size_t i = 0; i < subnets.size(); ++i) {
        const Block& block = subnets[i].block;
        const std::size_t line = lines[i];
        if (block.family != whole.family || block.length < whole.length ||
            block.first < whole.first || lastOf(block) > lastOf(whole)) {
            errors.emplace_back(line,
                                cidrText(block) + " lies outside its network " + wholeText + ".");
            continue;
        }
        if (previous != nullptr && (pastEnd || block.first < next)) {
            errors.emplace_back(line, cidrText(block) + " overlaps " + cidrText(previous->block) +
                                          " (line " + std::to_string(previousLine) + ").");
            continue;
        }
        if (block.first > next)
            errors.emplace_back(line, rangeText(whole.family, next, block.first - 1) + " of " +
                                          wholeText + " is in no subnet; list it as a free " +
                                          "subnet before " + cidrText(block) + ".");
        previous = &subnets[i];
        previousLine = line;
        next = lastOf(block) + 1;
        pastEnd = lastOf(block) == lastOf(whole);
    }
    if (subnets.empty())
        errors.emplace_back(read.line, wholeText +
                                           " lists no subnets; a network of one free "
                                           "subnet lists itself: {\"cidr\": \"" +
                                           wholeText + "\"}.");
    else if (!pastEnd && previous != nullptr)
        errors.emplace_back(read.line, rangeText(whole.family, next, lastOf(whole)) + " of " +
                                           wholeText + " is in no subnet.");
}

void appendExtra(std::string& out, const std::vector<ExtraKey>& extra) {
    for (const ExtraKey& key : extra) {
        out.append(", ");
        appendJsonString(out, key.key);
        out.append(": ").append(key.json);
    }
}

void appendSubnetLine(std::string& out, const Subnet& subnet) {
    const Labels& labels = subnet.labels;
    out.append("      {\"cidr\": \"");
    appendCidr(out, subnet.block);
    out.push_back('"');
    if (!labels.name.empty()) {
        out.append(", \"name\": ");
        appendJsonString(out, labels.name);
    }
    if (labels.vlan) {
        out.append(", \"vlan\": ");
        appendDecimal(out, *labels.vlan);
    }
    if (labels.hosts) {
        out.append(", \"hosts\": ");
        appendDecimal128(out, *labels.hosts);
    }
    if (!labels.note.empty()) {
        out.append(", \"note\": ");
        appendJsonString(out, labels.note);
    }
    if (!labels.color.empty()) {
        out.append(", \"color\": ");
        appendJsonString(out, labels.color);
    }
    appendExtra(out, labels.extra);
    out.push_back('}');
}

} // namespace

CidrRead readStrictCidr(std::string_view text) {
    CidrRead read;
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        read.reason = "\"" + shownText(text) + "\" is no CIDR block; it needs its \"/N\".";
        return read;
    }
    const ParsedNetwork address = parseNetwork(text.substr(0, slash));
    if (!address.reason.empty()) {
        read.reason = "\"" + shownText(text) + "\": " + address.reason;
        return read;
    }
    const PrefixLength length = readPrefixLength(text.substr(slash + 1), address.block.family);
    if (!length.reason.empty()) {
        read.reason = "\"" + shownText(text) + "\": " + length.reason;
        return read;
    }
    read.block = blockAround(address.block.family, address.block.first, length.length);
    if (read.block.first != address.block.first)
        read.reason =
            shownText(text) + " has host bits set; " + cidrText(read.block) + " was meant?";
    return read;
}

std::string shownText(std::string_view text, std::size_t longest) {
    std::string shown;
    for (const char c : text.substr(0, longest))
        shown.push_back(c >= ' ' && c <= '~' ? c : '?');
    if (text.size() > longest)
        shown += "...";
    return shown;
}

PlanRead readPlanText(std::string_view text, std::string_view name) {
    PlanRead result;
    const auto refuse = [&result, name](std::size_t line, std::string_view reason) {
        result.errors.push_back(std::string(name) + ":" + std::to_string(line) + ": " +
                                std::string(reason));
    };
    if (const std::size_t good = utf8Prefix(text); good < text.size()) {
        refuse(1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + good, '\n')),
               "The file is not UTF-8 text.");
        return result;
    }
    const char* read = text.data();
    PlanEvents events(text, &read);
    const TrackedChars first(text.data(), &read);
    const TrackedChars last(text.data() + text.size(), &read);
    bool parsed = false;
    try {
        parsed = Json::sax_parse(first, last, &events);
    } catch (const Json::exception& error) {
        refuse(1, "Not JSON: " + shownText(error.what(), 200) + ".");
        return result;
    }
    if (events.newer) {
        std::string reason = "The file was made by a newer version of Brevint Quellan (version ";
        appendDecimal128(reason, *events.top.version);
        reason += "; this one reads up to ";
        appendDecimal128(reason, kPlanVersion);
        refuse(1, reason + ").");
        return result;
    }
    auto& errors = events.errors;
    const auto& top = events.top;
    if (parsed) {
        if (top.format != kPlanFormat)
            errors.emplace_back(1, "Not a Brevint Quellan plan: \"format\" is not \"" +
                                       std::string(kPlanFormat) + "\".");
        else if (!top.version || *top.version == 0)
            errors.emplace_back(1, "The plan has no \"version\" from 1.");
        std::optional<Profile> profile;
        if (!top.profile)
            errors.emplace_back(1, "The plan names no \"profile\" (" + profileNames() + ").");
        else if (!(profile = profileNamed(*top.profile)))
            errors.emplace_back(top.profileLine, "\"" + shownText(*top.profile) +
                                                     "\" is no profile; the profiles are " +
                                                     profileNames() + ".");
        if (events.networks_.empty())
            errors.emplace_back(1, "The plan has no \"networks\"; it holds one at least.");
        for (ReadNetwork& network : events.networks_) {
            if (!network.hasBlock)
                continue;
            checkSubnets(network, errors);
        }
        auto& networks = events.networks_;
        std::stable_sort(networks.begin(), networks.end(),
                         [](const ReadNetwork& a, const ReadNetwork& b) {
                             return addressOrder(a.network.block, b.network.block);
                         });
        for (std::size_t n = 1; n < networks.size(); ++n) {
            const Block& a = networks[n - 1].network.block;
            const Block& b = networks[n].network.block;
            if (a.family == b.family && lastOf(a) >= b.first)
                errors.emplace_back(std::max(networks[n].line, networks[n - 1].line),
                                    cidrText(b) + " and " + cidrText(a) +
                                        " overlap; networks of a plan do not.");
        }
        if (profile)
            result.plan.profile = *profile;
    }
    if (!errors.empty()) {
        std::stable_sort(errors.begin(), errors.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [line, reason] : errors)
            refuse(line, reason);
        return result;
    }
    result.plan.extra = top.extra;
    for (ReadNetwork& network : events.networks_)
        result.plan.networks.push_back(std::move(network.network));
    return result;
}

FileBytes readFileBytes(const std::string& path) {
    FileBytes file;
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        file.error = path + ": cannot be read: it is a folder.";
        return file;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        file.error = path + ": cannot be read: " + std::strerror(errno) + ".";
        return file;
    }
    // Room for the whole file at once: a plan of a million subnets is tens
    // of megabytes, copied over and over if the text grows as it is read.
    file.bytes.reserve(static_cast<std::size_t>(std::filesystem::file_size(path, code)) + 1);
    std::array<char, 1 << 16> buffer{};
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0)
        file.bytes.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        file.error = path + ": cannot be read: " + std::strerror(errno) + ".";
    return file;
}

PlanRead readPlanFile(const std::string& path) {
    const FileBytes file = readFileBytes(path);
    if (!file.error.empty()) {
        PlanRead result;
        result.errors.push_back(file.error);
        return result;
    }
    return readPlanText(file.bytes, path);
}

std::string planFileText(const Plan& plan) {
    std::string out;
    out.reserve(plan.subnetCount() * 40 + 256);
    out.append("{\n  \"format\": ");
    appendJsonString(out, kPlanFormat);
    out.append(",\n  \"version\": ");
    appendDecimal128(out, kPlanVersion);
    out.append(",\n  \"profile\": ");
    appendJsonString(out, profileName(plan.profile));
    out.append(",\n");
    for (const ExtraKey& key : plan.extra) {
        out.append("  ");
        appendJsonString(out, key.key);
        out.append(": ").append(key.json).append(",\n");
    }
    out.append("  \"networks\": [\n");
    for (std::size_t n = 0; n < plan.networks.size(); ++n) {
        const PlanNetwork& network = plan.networks[n];
        out.append("    {\"network\": \"");
        appendCidr(out, network.block);
        out.push_back('"');
        if (!network.name.empty()) {
            out.append(", \"name\": ");
            appendJsonString(out, network.name);
        }
        appendExtra(out, network.extra);
        out.append(", \"subnets\": [\n");
        for (std::size_t s = 0; s < network.subnets.size(); ++s) {
            appendSubnetLine(out, network.subnets[s]);
            out.append(s + 1 < network.subnets.size() ? ",\n" : "\n");
        }
        out.append(n + 1 < plan.networks.size() ? "    ]},\n" : "    ]}\n");
    }
    out.append("  ]\n}\n");
    return out;
}

} // namespace quellan
