#pragma once

// The subnet list as a screen reader reads it: a table whose children are
// the column headers and then the cells, row by row. A cell's interface is
// made when a reader first asks for it and dropped when the rows change, so
// a list of millions costs only the cells a reader has visited.

#include <QAccessibleWidget>
#include <QHash>

namespace quellan {

class SubnetTable;

class SubnetTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit SubnetTableAccessible(QWidget* table);
    ~SubnetTableAccessible() override;

    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    QString rowDescription(int /*row*/) const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int /*column*/) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int /*column*/) override { return false; }
    bool unselectRow(int row) override;
    bool unselectColumn(int /*column*/) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    SubnetTable* table() const;

private:
    void forgetCells();

    mutable QHash<int, QAccessible::Id> cells_;
};

} // namespace quellan
