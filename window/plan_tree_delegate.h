#pragma once

// The planner's tree column: beside each subnet, a bar for each block of
// its network that holds it and other subnets too (plans/plan_tree.h), the
// network's own outermost. A bar is painted a row at a time, its ends found
// from the neighbouring rows, so a million rows cost what the visible ones
// do. Pointing at a bar lights the whole block, and a click on it asks the
// window to join that block into one subnet.

#include "plans/plan.h"

#include <QStyledItemDelegate>

#include <optional>

class QTableView;

namespace quellan {

class PlanModel;

class PlanTreeDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    // Draws the model's tree column in `view`, first from the left.
    PlanTreeDelegate(QTableView& view, const PlanModel& model);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // The block whose bar is at `point` of the view's viewport.
    std::optional<Block> blockAt(const QPoint& point) const;
    // The middle of the bar for the block of `length` beside `row`, in the
    // viewport, whether that row has such a bar or not.
    QPoint barCentre(int row, std::int32_t length) const;

signals:
    void joinAsked(const quellan::Block& block);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Each level's width: a digit and a half, or less where the plan is too deep to
    // show that way in the column.
    qreal levelWidth() const;
    qreal margin() const;
    // Sizes the column for the deepest subnet after the rows change.
    void fit();
    void hover(std::optional<Block> block);

    QTableView& view_;
    // Kept, not asked of the view: the viewport's last events come while the
    // view is being destroyed.
    QWidget* const viewport_;
    const PlanModel& model_;
    int deepest_ = 0;
    std::optional<Block> hovered_;
};

} // namespace quellan
