#pragma once

#include "subnet_list.h"

#include <QAbstractTableModel>

namespace quellan {

// The subnet list as a table. It holds only which list it is: each cell is
// worked out when the view asks for it, so a list of 16777216 subnets costs
// no more than one of four.
class SubnetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Takes a new list. Views keep their rows, and so their selection and
    // scroll position, while only the address's row changed.
    void setList(SubnetList list);
    const SubnetList& list() const { return list_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    SubnetList list_;
};

} // namespace quellan
