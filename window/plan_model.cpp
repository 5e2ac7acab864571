#include "plan_model.h"

#include "addresses/number_text.h"
#include "networks/block_text.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>

#include <algorithm>
#include <array>
#include <cstdint>

namespace quellan {

namespace {

constexpr std::array<const char*, PlanModel::ColumnCount> kCaptions{
    "Subnet", "Mask", "Usable range", "Usable", "Name", "VLAN", "Hosts", "Note", "Tree"};

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

Uint128 sizeLess1(const Block& block) {
    return hostMask(block.family, block.length);
}

bool isFree(const Subnet& subnet) {
    return subnet.labels->name.empty();
}

// A whole number of up to 39 digits; empty when the text is none.
std::optional<Uint128> readCount(const QString& text) {
    const std::string digits = text.trimmed().toStdString();
    if (!allDigits(digits) || digits.size() > 39)
        return std::nullopt;
    Uint128 value = 0;
    for (const char digit : digits) {
        const Uint128 next = value * 10 + static_cast<unsigned>(digit - '0');
        if (next / 10 != value)
            return std::nullopt;
        value = next;
    }
    return value;
}

} // namespace

PlanModel::PlanModel(Plan plan, QObject* parent)
    : QAbstractTableModel(parent)
    , plan_(std::move(plan)) {
    countAll();
}

void PlanModel::setPlan(Plan plan) {
    beginResetModel();
    plan_ = std::move(plan);
    countAll();
    endResetModel();
}

void PlanModel::countAll() {
    countRows();
    free_.clear();
    for (std::size_t n = 0; n < plan_.networks.size(); ++n)
        countFree(n);
}

void PlanModel::countRows() {
    firstRows_.clear();
    int row = 0;
    for (const PlanNetwork& network : plan_.networks) {
        firstRows_.push_back(row);
        row += 1 + static_cast<int>(network.subnets.size());
    }
    rows_ = row;
    free_.resize(plan_.networks.size());
}

void PlanModel::countFree(std::size_t network) {
    free_.resize(plan_.networks.size());
    const PlanNetwork& whole = plan_.networks[network];
    Uint128 used = 0;
    for (const Subnet& subnet : whole.subnets)
        if (!isFree(subnet))
            used += sizeLess1(subnet.block) + 1;
    // Counted as the network's last offset less what is used, and one more,
    // so that an IPv6 /0 with nothing used needs no 129th bit.
    if (used == 0)
        free_[network].reset();
    else
        free_[network] = sizeLess1(whole.block) - used + 1;
}

void PlanModel::applyChange(const PlanChange& change) {
    const bool inOneNetwork =
        change.removedNetworks.empty() && change.addedNetworks.empty() && !change.removed.empty();
    const auto place =
        inOneNetwork ? findSubnet(plan_, change.removed.front().block) : std::nullopt;
    if (!place) {
        // Networks come or go, or it is not the plan the change was worked
        // out on: the view starts afresh rather than showing rows that do
        // not match.
        beginResetModel();
        apply(plan_, change);
        countAll();
        endResetModel();
        return;
    }
    // The run keeps its first rows, and rows are added or taken after them.
    const int first = firstRows_[place->network] + 1 + static_cast<int>(place->subnet);
    const int before = static_cast<int>(change.removed.size());
    const int after = static_cast<int>(change.added.size());
    if (after > before)
        beginInsertRows({}, first + before, first + after - 1);
    else if (after < before)
        beginRemoveRows({}, first + after, first + before - 1);
    apply(plan_, change);
    countRows();
    countFree(place->network);
    if (after > before)
        endInsertRows();
    else if (after < before)
        endRemoveRows();
    const int kept = std::min(before, after);
    if (kept > 0)
        emit dataChanged(index(first, 0), index(first + kept - 1, ColumnCount - 1));
    const int networkRow = firstRows_[place->network];
    emit dataChanged(index(networkRow, 0), index(networkRow, ColumnCount - 1));
}

PlanModel::Place PlanModel::placeOf(int row) const {
    const auto after = std::upper_bound(firstRows_.begin(), firstRows_.end(), row);
    const auto network = static_cast<std::size_t>(after - firstRows_.begin() - 1);
    const int offset = row - firstRows_[network];
    if (offset == 0)
        return {network, std::nullopt};
    return {network, static_cast<std::size_t>(offset - 1)};
}

const Subnet* PlanModel::subnetAt(int row) const {
    if (row < 0 || row >= rows_)
        return nullptr;
    const Place place = placeOf(row);
    if (!place.subnet)
        return nullptr;
    return &plan_.networks[place.network].subnets[*place.subnet];
}

const PlanNetwork& PlanModel::networkAt(int row) const {
    return plan_.networks[placeOf(std::clamp(row, 0, rows_ - 1)).network];
}

int PlanModel::subnetRow(const Block& block) const {
    const auto place = findSubnet(plan_, block);
    if (!place)
        return -1;
    return firstRows_[place->network] + 1 + static_cast<int>(place->subnet);
}

int PlanModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int PlanModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString PlanModel::cellText(const Place& place, int column) const {
    const PlanNetwork& network = plan_.networks[place.network];
    const Block& block = place.subnet ? network.subnets[*place.subnet].block : network.block;
    std::string text;
    switch (column) {
    case SubnetColumn:
        appendCidr(text, block);
        break;
    case MaskColumn:
        if (block.family == Family::IPv4)
            appendAddress(text, block.family, prefixMask(block.family, block.length));
        else
            text = "/" + std::to_string(block.length);
        break;
    case RangeColumn:
        if (!place.subnet) {
            // Where a subnet shows its hosts, a network shows what is left.
            if (const auto& free = free_[place.network]) {
                appendDecimal128(text, *free);
                text += " addresses free";
            } else {
                text = "all free";
            }
        } else if (const Usable usable = usableOf(plan_.profile, block); usable.any) {
            appendAddress(text, block.family, usable.first);
            text += " – ";
            appendAddress(text, block.family, usable.last);
        }
        break;
    case UsableColumn:
        if (place.subnet)
            appendUsableCount(text, plan_.profile, block);
        break;
    case NameColumn:
        if (!place.subnet)
            text = network.name;
        else if (const Subnet& subnet = network.subnets[*place.subnet]; isFree(subnet))
            text = "free";
        else
            text = subnet.labels->name;
        break;
    case VlanColumn:
        if (place.subnet)
            if (const auto vlan = network.subnets[*place.subnet].labels->vlan)
                appendDecimal(text, *vlan);
        break;
    case HostsColumn:
        if (place.subnet)
            if (const auto hosts = network.subnets[*place.subnet].labels->hosts)
                appendDecimal128(text, *hosts);
        break;
    case NoteColumn:
        if (place.subnet)
            // The first line, as a cell holds one.
            text = network.subnets[*place.subnet].labels->note.substr(
                0, network.subnets[*place.subnet].labels->note.find('\n'));
        break;
    default:
        break;
    }
    return fromUtf8(text);
}

QVariant PlanModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= ColumnCount)
        return {};
    const Place place = placeOf(index.row());
    const Subnet* subnet =
        place.subnet ? &plan_.networks[place.network].subnets[*place.subnet] : nullptr;
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(place, column);
    case Qt::EditRole:
        if (subnet != nullptr && column == NameColumn)
            return fromUtf8(subnet->labels->name);
        if (subnet != nullptr && column == NoteColumn)
            return fromUtf8(subnet->labels->note);
        return cellText(place, column);
    case Qt::ForegroundRole:
        if (subnet != nullptr && column == NameColumn && isFree(*subnet))
            return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::FontRole:
        if (subnet == nullptr) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::DecorationRole:
        if (subnet != nullptr && column == NameColumn && !subnet->labels->color.empty())
            return QColor(fromUtf8(subnet->labels->color));
        return {};
    case Qt::AccessibleDescriptionRole:
        return rowSentence(index.row());
    case Qt::TextAlignmentRole:
        if (column == UsableColumn || column == VlanColumn || column == HostsColumn)
            return (Qt::AlignRight | Qt::AlignVCenter).toInt();
        return {};
    default:
        return {};
    }
}

QString PlanModel::rowsText(const QList<int>& rows) const {
    QStringList lines;
    QStringList cells;
    // The tree is drawn, and has no text to copy.
    for (int column = 0; column < TreeColumn; ++column)
        cells << QString::fromLatin1(kCaptions.at(static_cast<std::size_t>(column)));
    lines << cells.join(u'\t');
    for (const int row : rows) {
        if (row < 0 || row >= rows_)
            continue;
        cells.clear();
        for (int column = 0; column < TreeColumn; ++column)
            cells << cellText(placeOf(row), column);
        lines << cells.join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}

QString PlanModel::rowSentence(int row) const {
    const Place place = placeOf(row);
    QStringList parts;
    if (!place.subnet)
        parts << QStringLiteral("Network %1").arg(cellText(place, SubnetColumn));
    else
        parts << cellText(place, SubnetColumn);
    if (const QString name = cellText(place, NameColumn); !name.isEmpty())
        parts << name;
    if (const QString vlan = cellText(place, VlanColumn); !vlan.isEmpty())
        parts << QStringLiteral("VLAN %1").arg(vlan);
    if (const QString hosts = cellText(place, HostsColumn); !hosts.isEmpty())
        parts << QStringLiteral("for %1 hosts").arg(hosts);
    if (place.subnet)
        parts << QStringLiteral("%1 usable").arg(cellText(place, UsableColumn));
    else
        parts << cellText(place, RangeColumn);
    return parts.join(QStringLiteral(", "));
}

QVariant PlanModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return QString::fromLatin1(kCaptions.at(static_cast<std::size_t>(section)));
}

Qt::ItemFlags PlanModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const int column = index.column();
    const Subnet* subnet = subnetAt(index.row());
    if (subnet == nullptr)
        return flags;
    // A note of several lines would lose its line ends in a one-line editor.
    if (column == NameColumn || column == VlanColumn || column == HostsColumn ||
        (column == NoteColumn && subnet->labels->note.find('\n') == std::string::npos))
        flags |= Qt::ItemIsEditable;
    return flags;
}

QString setLabelText(Labels& labels, int column, const QString& text) {
    switch (column) {
    case PlanModel::NameColumn:
        labels.name = text.toStdString();
        break;
    case PlanModel::NoteColumn:
        labels.note = text.toStdString();
        break;
    case PlanModel::VlanColumn:
        if (text.trimmed().isEmpty()) {
            labels.vlan.reset();
        } else if (const auto vlan = readCount(text); vlan && *vlan <= INT32_MAX) {
            // The plan says which numbers are VLANs.
            labels.vlan = static_cast<std::int32_t>(*vlan);
        } else {
            return QStringLiteral("VLAN \"%1\" is not a number from 1 to 4094.").arg(text);
        }
        break;
    case PlanModel::HostsColumn:
        if (text.trimmed().isEmpty())
            labels.hosts.reset();
        else if (const auto hosts = readCount(text))
            labels.hosts = *hosts;
        else
            return QStringLiteral("Hosts \"%1\" is not a whole number.").arg(text);
        break;
    default:
        break;
    }
    return {};
}

bool PlanModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const Subnet* subnet = subnetAt(index.row());
    if (role != Qt::EditRole || subnet == nullptr || !flags(index).testFlag(Qt::ItemIsEditable))
        return false;
    Labels labels = subnet->labels;
    const QString refusal = setLabelText(labels, index.column(), value.toString());
    if (labels == subnet->labels.get() && refusal.isEmpty())
        return true;
    emit labelsEdited(subnet->block, refusal.isEmpty() ? labels : Labels{}, refusal);
    return true;
}

} // namespace quellan
