#include "plans/plan_csv.h"

#include "addresses/number_text.h"
#include "networks/block_text.h"
#include "networks/host_plan.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace quellan {

namespace {

enum Column : std::size_t {
    kNetwork,
    kCidr,
    kName,
    kVlan,
    kHosts,
    kNote,
    kColor,
    kMask,
    kFirst,
    kLast,
    kUsableFirst,
    kUsableLast,
    kUsable,
    kColumns
};

constexpr std::array<std::string_view, kColumns> kHeader{
    "network", "cidr",  "name", "vlan",         "hosts",       "note",  "color",
    "mask",    "first", "last", "usable_first", "usable_last", "usable"};

bool startsFormula(std::string_view text) {
    return !text.empty() &&
           std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

// Quotes, then a character that starts a formula: such text keeps a quote
// of its own in front, so that taking one off gives it back.
bool needsGuard(std::string_view text) {
    const std::size_t quotes = text.find_first_not_of('\'');
    return quotes != std::string_view::npos && startsFormula(text.substr(quotes));
}

void appendField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos && !startsFormula(field) &&
        !(field.starts_with('\'') && needsGuard(field))) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (const char c : field) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

void appendAddressField(std::string& out, Family family, Uint128 bits) {
    appendAddress(out, family, bits);
}

struct Row {
    std::size_t line = 0;
    std::vector<std::string> fields;
};

// RFC 4180 records; LF alone ends a line as well as CR LF. False, with the
// reason in `error`, for a quote out of place.
bool readRecords(std::string_view text, std::vector<Row>& rows,
                 std::pair<std::size_t, std::string>& error) {
    std::size_t line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        Row row;
        row.line = line;
        std::string field;
        bool ended = false;
        while (!ended) {
            field.clear();
            if (i < text.size() && text[i] == '"') {
                const std::size_t opened = line;
                ++i;
                while (true) {
                    if (i >= text.size()) {
                        error = {opened, "A quoted field is not closed."};
                        return false;
                    }
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field.push_back('"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n')
                        ++line;
                    field.push_back(text[i++]);
                }
                if (i < text.size() && text.substr(i).find_first_of(",\r\n") != 0) {
                    error = {line, "A quoted field goes on after its closing quote."};
                    return false;
                }
            } else {
                const std::size_t end = std::min(text.find_first_of(",\r\n", i), text.size());
                field.assign(text.substr(i, end - i));
                if (field.find('"') != std::string::npos) {
                    error = {line, "A quote inside a field that does not start with one; "
                                   "quote the whole field and double the quotes in it."};
                    return false;
                }
                i = end;
            }
            row.fields.push_back(field);
            if (i < text.size() && text[i] == ',') {
                ++i;
                continue;
            }
            if (i < text.size() && text[i] == '\r')
                ++i;
            if (i < text.size() && text[i] == '\n')
                ++i;
            ++line;
            ended = true;
        }
        const bool blank = std::all_of(row.fields.begin(), row.fields.end(),
                                       [](const std::string& f) { return f.empty(); });
        if (!blank)
            rows.push_back(std::move(row));
    }
    return true;
}

struct CsvSubnet {
    std::size_t line = 0;
    Subnet subnet;
    std::optional<Block> network;
};

class CsvReader {
public:
    CsvReader(std::string_view name, Profile profile)
        : name_(name) {
        result_.plan.profile = profile;
    }

    PlanRead read(std::string_view text) {
        if (text.starts_with("\xEF\xBB\xBF"))
            text.remove_prefix(3);
        if (const std::size_t good = utf8Prefix(text); good < text.size()) {
            refuse(1 + static_cast<std::size_t>(std::count(
                           text.begin(), text.begin() + static_cast<std::ptrdiff_t>(good), '\n')),
                   "The file is not UTF-8 text.");
            return finish();
        }
        std::vector<Row> rows;
        std::pair<std::size_t, std::string> error;
        if (!readRecords(text, rows, error)) {
            refuse(error.first, error.second);
            return finish();
        }
        if (rows.empty()) {
            refuse(1, "The sheet is empty; its first row names the columns, cidr among them.");
            return finish();
        }
        if (!readHeader(rows.front()))
            return finish();
        for (std::size_t r = 1; r < rows.size(); ++r)
            readRow(rows[r]);
        if (subnets_.empty() && errors_.empty())
            refuse(rows.front().line, "The sheet lists no subnets.");
        if (!errors_.empty())
            return finish();
        std::stable_sort(subnets_.begin(), subnets_.end(),
                         [](const CsvSubnet& a, const CsvSubnet& b) {
                             return addressOrder(a.subnet.block, b.subnet.block);
                         });
        for (std::size_t i = 1; i < subnets_.size(); ++i)
            if (subnets_[i].subnet.block == subnets_[i - 1].subnet.block)
                refuse(std::max(subnets_[i].line, subnets_[i - 1].line),
                       cidrText(subnets_[i].subnet.block) + " stands twice (lines " +
                           std::to_string(std::min(subnets_[i].line, subnets_[i - 1].line)) +
                           " and " +
                           std::to_string(std::max(subnets_[i].line, subnets_[i - 1].line)) + ").");
        if (errors_.empty()) {
            if (columns_[kNetwork])
                groupByColumn();
            else
                groupByNesting();
        }
        if (errors_.empty())
            tile();
        return finish();
    }

private:
    void refuse(std::size_t line, const std::string& reason) { errors_.emplace_back(line, reason); }

    PlanRead finish() {
        if (!errors_.empty()) {
            std::stable_sort(errors_.begin(), errors_.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            result_.plan.networks.clear();
            for (const auto& [line, reason] : errors_)
                result_.errors.push_back(std::string(name_) + ":" + std::to_string(line) + ": " +
                                         reason);
        }
        return std::move(result_);
    }

    bool readHeader(const Row& header) {
        for (std::size_t i = 0; i < header.fields.size(); ++i) {
            std::string column(trimBlanks(header.fields[i]));
            std::transform(column.begin(), column.end(), column.begin(), [](char c) {
                return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
            });
            const auto known = std::find(kHeader.begin(), kHeader.end(), column);
            if (known == kHeader.end()) {
                std::string names;
                for (const std::string_view name : kHeader)
                    names.append(names.empty() ? "" : ", ").append(name);
                refuse(header.line, "\"" + shownText(column) +
                                        "\" is no column of a plan; the columns are " + names +
                                        ".");
                return false;
            }
            const auto index = static_cast<std::size_t>(known - kHeader.begin());
            if (columns_[index]) {
                refuse(header.line, "The column \"" + column + "\" stands twice.");
                return false;
            }
            columns_[index] = i;
        }
        width_ = header.fields.size();
        if (!columns_[kCidr]) {
            refuse(header.line, "The sheet has no \"cidr\" column.");
            return false;
        }
        return true;
    }

    std::string_view field(const Row& row, Column column) const {
        return columns_[column] ? std::string_view(row.fields[*columns_[column]])
                                : std::string_view{};
    }

    void check(const Row& row, Column column, const std::string& expected) {
        const std::string_view given = trimBlanks(field(row, column));
        if (!given.empty() && given != expected)
            refuse(row.line, "The " + std::string(kHeader[column]) + " column says " +
                                 shownText(given) + "; the cidr's is " + expected + ".");
    }

    void readRow(const Row& row) {
        if (row.fields.size() != width_) {
            refuse(row.line, "The row has " + std::to_string(row.fields.size()) +
                                 " fields; the header has " + std::to_string(width_) + ".");
            return;
        }
        const std::size_t before = errors_.size();
        CsvSubnet read;
        read.line = row.line;
        const CidrRead cidr = readStrictCidr(trimBlanks(field(row, kCidr)));
        if (!cidr.reason.empty()) {
            refuse(row.line, cidr.reason);
            return;
        }
        const Block& block = cidr.block;
        read.subnet.block = block;
        Labels labels;
        if (columns_[kNetwork]) {
            const std::string_view network = trimBlanks(field(row, kNetwork));
            const CidrRead parent = readStrictCidr(network);
            if (network.empty())
                refuse(row.line, "The row names no network.");
            else if (!parent.reason.empty())
                refuse(row.line, parent.reason);
            else
                read.network = parent.block;
        }
        labels.name = unguardedCell(field(row, kName));
        if (std::string reason = nameReason(labels.name); !reason.empty())
            refuse(row.line, reason);
        if (const std::string_view vlan = trimBlanks(field(row, kVlan)); !vlan.empty()) {
            if (!allDigits(vlan) || vlan.size() > 6)
                refuse(row.line,
                       "The vlan \"" + shownText(vlan) + "\" is not a number from 1 to 4094.");
            else if (std::string reason = vlanReason(std::stoll(std::string(vlan)));
                     !reason.empty())
                refuse(row.line, reason);
            else
                labels.vlan = std::stoi(std::string(vlan));
        }
        if (const std::string_view hosts = trimBlanks(field(row, kHosts)); !hosts.empty()) {
            const HostCount count = readHostCount(hosts);
            if (!count.reason.empty())
                refuse(row.line, count.reason);
            else
                labels.hosts = count.count;
        }
        labels.note = unguardedCell(field(row, kNote));
        labels.color = std::string(trimBlanks(field(row, kColor)));
        if (!labels.color.empty())
            if (std::string reason = colorReason(labels.color); !reason.empty())
                refuse(row.line, reason);
        std::string text;
        appendAddressField(text, block.family, prefixMask(block.family, block.length));
        check(row, kMask, text);
        text.clear();
        appendAddressField(text, block.family, block.first);
        check(row, kFirst, text);
        text.clear();
        appendAddressField(text, block.family, lastOf(block));
        check(row, kLast, text);
        read.subnet.labels = labels;
        if (errors_.size() == before)
            subnets_.push_back(std::move(read));
    }

    // Each row in the network its column names.
    void groupByColumn() {
        std::vector<Block> networks;
        for (const CsvSubnet& read : subnets_)
            networks.push_back(*read.network);
        std::sort(networks.begin(), networks.end(), addressOrder);
        networks.erase(std::unique(networks.begin(), networks.end()), networks.end());
        for (std::size_t i = 1; i < networks.size(); ++i) {
            if (networks[i].family != networks[i - 1].family ||
                networks[i].first > lastOf(networks[i - 1]))
                continue;
            // The first row that names the second of the two.
            std::size_t line = 0;
            for (const CsvSubnet& read : subnets_)
                if (*read.network == networks[i] && (line == 0 || read.line < line))
                    line = read.line;
            refuse(line, "The network " + cidrText(networks[i]) + " overlaps the network " +
                             cidrText(networks[i - 1]) + ".");
        }
        for (const Block& block : networks)
            result_.plan.networks.push_back({block, {}, {}, {}});
        lines_.resize(networks.size());
        for (CsvSubnet& read : subnets_) {
            const auto at =
                std::lower_bound(networks.begin(), networks.end(), *read.network, addressOrder);
            const auto n = static_cast<std::size_t>(at - networks.begin());
            PlanNetwork& network = result_.plan.networks[n];
            const Block& block = read.subnet.block;
            if (block.family != network.block.family || block.length < network.block.length ||
                blockAround(block.family, block.first, network.block.length).first !=
                    network.block.first) {
                refuse(read.line, cidrText(block) + " lies outside its network " +
                                      cidrText(network.block) + ".");
                continue;
            }
            network.subnets.push_back(std::move(read.subnet));
            lines_[n].push_back(read.line);
        }
    }

    // A row that holds others is their network; a row that no other holds,
    // and that holds none, is a network of its own.
    void groupByNesting() {
        std::size_t n = 0;
        for (std::size_t i = 0; i < subnets_.size(); i = n) {
            const CsvSubnet& outer = subnets_[i];
            const Block& block = outer.subnet.block;
            n = i + 1;
            while (n < subnets_.size() && subnets_[n].subnet.block.family == block.family &&
                   subnets_[n].subnet.block.first <= lastOf(block))
                ++n;
            PlanNetwork network{block, {}, {}, {}};
            std::vector<std::size_t> lines;
            if (n == i + 1) {
                network.subnets.push_back(outer.subnet);
                lines.push_back(outer.line);
            } else {
                Labels onlyName;
                onlyName.name = outer.subnet.labels->name;
                if (!(outer.subnet.labels.get() == onlyName))
                    refuse(outer.line, cidrText(block) + " holds other rows, so it is a network, "
                                                         "and a network has only a name.");
                network.name = outer.subnet.labels->name;
                for (std::size_t k = i + 1; k < n; ++k) {
                    network.subnets.push_back(subnets_[k].subnet);
                    lines.push_back(subnets_[k].line);
                }
            }
            result_.plan.networks.push_back(std::move(network));
            lines_.push_back(std::move(lines));
        }
    }

    // Overlaps refused, and the space between the subnets free.
    void tile() {
        std::size_t total = 0;
        for (std::size_t n = 0; n < result_.plan.networks.size(); ++n) {
            PlanNetwork& network = result_.plan.networks[n];
            std::vector<Subnet> tiled;
            tiled.reserve(network.subnets.size());
            Uint128 next = network.block.first;
            bool full = false;
            const Block* previous = nullptr;
            std::size_t previousLine = 0;
            for (std::size_t s = 0; s < network.subnets.size(); ++s) {
                const Block& block = network.subnets[s].block;
                if (previous != nullptr && (full || block.first < next)) {
                    refuse(lines_[n][s], cidrText(block) + " overlaps " + cidrText(*previous) +
                                             " (line " + std::to_string(previousLine) + ").");
                    continue;
                }
                if (block.first > next)
                    forEachBlock({block.family, next, block.first - 1},
                                 [&tiled](const Block& free) {
                                     tiled.push_back({free, {}});
                                     return true;
                                 });
                tiled.push_back(network.subnets[s]);
                previous = &network.subnets[s].block;
                previousLine = lines_[n][s];
                next = lastOf(block) + 1;
                full = lastOf(block) == lastOf(network.block);
            }
            if (!full)
                forEachBlock({network.block.family, next, lastOf(network.block)},
                             [&tiled](const Block& free) {
                                 tiled.push_back({free, {}});
                                 return true;
                             });
            network.subnets = std::move(tiled);
            total += network.subnets.size();
        }
        if (total > kMostSubnets)
            refuse(1, "With its free space the sheet makes " + std::to_string(total) +
                          " subnets; a plan holds up to " + std::to_string(kMostSubnets) + ".");
    }

    std::string_view name_;
    PlanRead result_;
    std::array<std::optional<std::size_t>, kColumns> columns_{};
    std::size_t width_ = 0;
    std::vector<CsvSubnet> subnets_;
    std::vector<std::vector<std::size_t>> lines_;
    std::vector<std::pair<std::size_t, std::string>> errors_;
};

} // namespace

std::string guardedCell(std::string_view text) {
    return needsGuard(text) ? "'" + std::string(text) : std::string(text);
}

std::string unguardedCell(std::string_view cell) {
    if (cell.starts_with('\'') && needsGuard(cell.substr(1)))
        cell.remove_prefix(1);
    return std::string(cell);
}

std::string planCsvText(const Plan& plan) {
    std::string out;
    out.reserve(plan.subnetCount() * 120 + 128);
    for (std::size_t i = 0; i < kHeader.size(); ++i)
        out.append(i == 0 ? "" : ",").append(kHeader[i]);
    out.append("\r\n");
    std::string network;
    for (const PlanNetwork& whole : plan.networks) {
        network = cidrText(whole.block);
        for (const Subnet& subnet : whole.subnets) {
            const Block& block = subnet.block;
            const Labels& labels = subnet.labels;
            out.append(network).push_back(',');
            appendCidr(out, block);
            out.push_back(',');
            appendField(out, guardedCell(labels.name));
            out.push_back(',');
            if (labels.vlan)
                appendDecimal(out, *labels.vlan);
            out.push_back(',');
            if (labels.hosts)
                appendDecimal128(out, *labels.hosts);
            out.push_back(',');
            appendField(out, guardedCell(labels.note));
            out.push_back(',');
            out.append(labels.color).push_back(',');
            appendAddressField(out, block.family, prefixMask(block.family, block.length));
            out.push_back(',');
            appendAddressField(out, block.family, block.first);
            out.push_back(',');
            appendAddressField(out, block.family, lastOf(block));
            out.push_back(',');
            const Usable usable = usableOf(plan.profile, block);
            if (usable.any)
                appendAddressField(out, block.family, usable.first);
            out.push_back(',');
            if (usable.any)
                appendAddressField(out, block.family, usable.last);
            out.push_back(',');
            appendUsableCount(out, plan.profile, block);
            out.append("\r\n");
        }
    }
    return out;
}

PlanRead readPlanCsv(std::string_view text, std::string_view name, Profile profile) {
    return CsvReader(name, profile).read(text);
}

} // namespace quellan
