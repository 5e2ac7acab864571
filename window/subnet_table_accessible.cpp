#include "subnet_table_accessible.h"

#include "subnet_table.h"

#include <QHeaderView>
#include <QPointer>

namespace quellan {

namespace {

// One cell, or a column header where `row` is -1. It holds only where it
// is; the text is the table's at the time it is read.
class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CellAccessible(SubnetTable* table, int row, int column)
        : table_(table)
        , row_(row)
        , column_(column) {}

    bool isValid() const override {
        return table_ != nullptr && row_ < table_->rowCount() && column_ < table_->columnCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return tableInterface()->window(); }
    QAccessibleInterface* parent() const override { return tableInterface(); }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name || !isValid())
            return {};
        return row_ < 0 ? SubnetTable::columnCaption(column_) : table_->cellText(row_, column_);
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}

    QRect rect() const override {
        if (!isValid())
            return {};
        if (row_ < 0) {
            const QRect header = table_->columnHeaderRect(column_);
            return {table_->mapToGlobal(header.topLeft()), header.size()};
        }
        const QRect cell = table_->cellRect(row_, column_);
        if (cell.isEmpty())
            return {};
        return {table_->viewport()->mapToGlobal(cell.topLeft()), cell.size()};
    }

    QAccessible::Role role() const override {
        return row_ < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid() || row_ < 0)
            return state;
        state.selectable = true;
        state.focusable = true;
        state.selected = isSelected();
        state.focused = table_->hasFocus() && row_ == table_->currentRow() && column_ == 0;
        state.offscreen = table_->cellRect(row_, column_).isEmpty();
        state.invisible = state.offscreen;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override {
        return isValid() && row_ >= 0 &&
               table_->selection().contains(static_cast<std::uint32_t>(row_));
    }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        if (row_ < 0 || !isValid())
            return {};
        return {tableInterface()->child(column_)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    QAccessibleInterface* table() const override { return tableInterface(); }

private:
    QAccessibleInterface* tableInterface() const {
        return QAccessible::queryAccessibleInterface(table_.data());
    }

    QPointer<SubnetTable> table_;
    int row_;
    int column_;
};

} // namespace

SubnetTableAccessible::SubnetTableAccessible(QWidget* table)
    : QAccessibleWidget(table, QAccessible::Table) {}

SubnetTableAccessible::~SubnetTableAccessible() {
    forgetCells();
}

SubnetTable* SubnetTableAccessible::table() const {
    return static_cast<SubnetTable*>(widget());
}

void* SubnetTableAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int SubnetTableAccessible::childCount() const {
    return SubnetTable::accessibleChild(rowCount(), 0);
}

QAccessibleInterface* SubnetTableAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto known = cells_.constFind(index); known != cells_.constEnd())
        return QAccessible::accessibleInterface(*known);
    const int columns = SubnetTable::columnCount();
    auto* cell = new CellAccessible(table(), index / columns - 1, index % columns);
    cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int SubnetTableAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* cell = dynamic_cast<const CellAccessible*>(child);
    if (cell == nullptr || cell->parent() != this)
        return -1;
    return SubnetTable::accessibleChild(cell->rowIndex(), cell->columnIndex());
}

QAccessibleInterface* SubnetTableAccessible::childAt(int x, int y) const {
    const QPoint inView = table()->viewport()->mapFromGlobal(QPoint(x, y));
    if (!table()->viewport()->rect().contains(inView))
        return nullptr;
    const QHeaderView* header = table()->header();
    const int column = header->logicalIndexAt(inView.x());
    const int row = table()->rowAt(inView.y());
    if (column < 0 || !table()->cellRect(row, column).contains(inView))
        return nullptr;
    return cellAt(row, column);
}

QAccessibleInterface* SubnetTableAccessible::focusChild() const {
    if (!table()->hasFocus() || table()->currentRow() < 0)
        return nullptr;
    return cellAt(table()->currentRow(), 0);
}

QAccessibleInterface* SubnetTableAccessible::cellAt(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return child(SubnetTable::accessibleChild(row, column));
}

int SubnetTableAccessible::columnCount() const {
    return SubnetTable::columnCount();
}

int SubnetTableAccessible::rowCount() const {
    return table()->rowCount();
}

QString SubnetTableAccessible::columnDescription(int column) const {
    return SubnetTable::columnCaption(column);
}

int SubnetTableAccessible::selectedRowCount() const {
    return static_cast<int>(table()->selection().count());
}

int SubnetTableAccessible::selectedCellCount() const {
    return selectedRowCount() * columnCount();
}

QList<int> SubnetTableAccessible::selectedRows() const {
    QList<int> rows;
    for (const RowRun& run : table()->selection().runs())
        for (std::uint32_t row = run.first; row <= run.last; ++row)
            rows.append(static_cast<int>(row));
    return rows;
}

QList<QAccessibleInterface*> SubnetTableAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    for (int row : selectedRows())
        for (int column = 0; column < columnCount(); ++column)
            cells.append(cellAt(row, column));
    return cells;
}

bool SubnetTableAccessible::isRowSelected(int row) const {
    return row >= 0 && table()->selection().contains(static_cast<std::uint32_t>(row));
}

bool SubnetTableAccessible::selectRow(int row) {
    table()->selectRow(row);
    return isRowSelected(row);
}

bool SubnetTableAccessible::unselectRow(int row) {
    table()->unselectRow(row);
    return !isRowSelected(row);
}

void SubnetTableAccessible::modelChange(QAccessibleTableModelChangeEvent* /*event*/) {
    forgetCells();
}

void SubnetTableAccessible::forgetCells() {
    for (const QAccessible::Id id : std::as_const(cells_))
        QAccessible::deleteAccessibleInterface(id);
    cells_.clear();
}

} // namespace quellan
