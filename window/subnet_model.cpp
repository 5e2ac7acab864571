#include "subnet_model.h"

#include "block_split.h"
#include "subnet_rows.h"

#include <string>
#include <utility>

namespace quellan {

void SubnetModel::setList(SubnetList list) {
    const bool sameRows = list.rows == list_.rows && list.length == list_.length &&
                          list.network.first == list_.network.first;
    if (sameRows) {
        list_ = std::move(list);
        return;
    }
    beginResetModel();
    list_ = std::move(list);
    endResetModel();
}

int SubnetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.rows);
}

int SubnetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kSubnetColumnCaptions.size());
}

QVariant SubnetModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const auto column = static_cast<SubnetColumn>(index.column());
    // Counts line up by their last digit, as in a spreadsheet.
    if (role == Qt::TextAlignmentRole && column == SubnetColumn::Hosts)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const Block subnet =
        subnetAt(list_.network, list_.length, static_cast<std::uint32_t>(index.row()));
    std::string text;
    appendSubnetCell(text, subnet, column);
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant SubnetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount())
        return {};
    const std::string_view caption = kSubnetColumnCaptions[static_cast<std::size_t>(section)];
    return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
}

} // namespace quellan
