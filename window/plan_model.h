#pragma once

// A plan as rows for a table view: each network's row, then a row for each
// of its subnets, in the plan's order. A row is found from the networks'
// first rows by arithmetic and its texts are made when the view asks for
// them, so nothing is kept per subnet beyond the plan itself. The model only
// ever changes the plan through applyChange(), which the window's undo stack
// calls with a change and later with its inverse; an edited cell is passed on
// as labelsEdited() for the window to turn into such a change.

#include "plans/plan.h"

#include <QAbstractTableModel>

#include <optional>
#include <vector>

namespace quellan {

class PlanModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        SubnetColumn,
        MaskColumn,
        RangeColumn,
        UsableColumn,
        NameColumn,
        VlanColumn,
        HostsColumn,
        NoteColumn,
        // No text: the blocks that hold the row's subnet, drawn by the view.
        TreeColumn,
        ColumnCount
    };

    explicit PlanModel(Plan plan, QObject* parent = nullptr);

    const Plan& plan() const { return plan_; }
    void setPlan(Plan plan);
    void applyChange(const PlanChange& change);

    // The subnet a row shows; empty for a network's row.
    const Subnet* subnetAt(int row) const;
    // The network a row shows or lies in.
    const PlanNetwork& networkAt(int row) const;
    // -1 where the block is no subnet of the plan. A network of one subnet
    // has two rows of its block: this is the subnet's.
    int subnetRow(const Block& block) const;

    // The rows as tab-separated lines under a line of the column captions.
    QString rowsText(const QList<int>& rows) const;
    // What a screen reader says for a row: "10.0.0.0/25, Servers, VLAN 10, 126 usable".
    QString rowSentence(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // A cell was edited to `text`; the labels are the subnet's with that
    // one changed, or empty with the reason the text is refused.
    void labelsEdited(const quellan::Block& subnet, const quellan::Labels& labels,
                      const QString& refusal);

private:
    struct Place {
        std::size_t network = 0;
        // Empty on the network's own row.
        std::optional<std::size_t> subnet;
    };
    Place placeOf(int row) const;
    QString cellText(const Place& place, int column) const;
    void countAll();
    void countRows();
    void countFree(std::size_t network);

    Plan plan_;
    // Each network's row: the networks before it and their subnets.
    std::vector<int> firstRows_;
    // The addresses of each network that no named subnet holds; empty when
    // that is all of them, which an IPv6 /0 has too many of to count.
    std::vector<std::optional<Uint128>> free_;
    int rows_ = 0;
};

// Sets the label a column shows (name, VLAN, hosts or note) from its text
// as typed; the reason the text is refused, or empty. The plan's own
// operations still check the value (a VLAN from 1 to 4094).
QString setLabelText(Labels& labels, int column, const QString& text);

} // namespace quellan
