#include "plan_tree_delegate.h"

#include "plan_model.h"
#include "plans/plan_tree.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTableView>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace quellan {

namespace {

// Deeper plans narrow their bars rather than widen the column past this.
constexpr int kLevelsAtFullWidth = 24;
// A level's width in digits: a bar wide enough to aim a click at.
constexpr qreal kLevelDigits = 1.5;

QColor blend(const QColor& from, const QColor& to, qreal share) {
    return QColor::fromRgbF(
        static_cast<float>(from.redF() + (to.redF() - from.redF()) * share),
        static_cast<float>(from.greenF() + (to.greenF() - from.greenF()) * share),
        static_cast<float>(from.blueF() + (to.blueF() - from.blueF()) * share));
}

} // namespace

PlanTreeDelegate::PlanTreeDelegate(QTableView& view, const PlanModel& model)
    : QStyledItemDelegate(&view)
    , view_(view)
    , viewport_(view.viewport())
    , model_(model) {
    view_.setItemDelegateForColumn(PlanModel::TreeColumn, this);
    // Last in the model, where the texts' columns keep their numbers, and
    // first on screen, where the bars stand beside the subnets they join.
    view_.horizontalHeader()->moveSection(
        view_.horizontalHeader()->visualIndex(PlanModel::TreeColumn), 0);
    view_.viewport()->setMouseTracking(true);
    view_.viewport()->installEventFilter(this);
    connect(&model_, &QAbstractItemModel::rowsInserted, this, &PlanTreeDelegate::fit);
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, &PlanTreeDelegate::fit);
    connect(&model_, &QAbstractItemModel::modelReset, this, &PlanTreeDelegate::fit);
    fit();
}

qreal PlanTreeDelegate::margin() const {
    return view_.fontMetrics().horizontalAdvance(QLatin1Char('0')) / 2.0;
}

qreal PlanTreeDelegate::levelWidth() const {
    const qreal digit = kLevelDigits * view_.fontMetrics().horizontalAdvance(QLatin1Char('0'));
    if (deepest_ == 0)
        return digit;
    const qreal room = view_.columnWidth(PlanModel::TreeColumn) - 2 * margin();
    return std::clamp(room / deepest_, 1.0, digit);
}

void PlanTreeDelegate::fit() {
    deepest_ = 0;
    for (const PlanNetwork& network : model_.plan().networks)
        for (const Subnet& subnet : network.subnets)
            deepest_ = std::max(deepest_, subnet.block.length - network.block.length);
    hovered_.reset();
    const int digit = view_.fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int bars =
        static_cast<int>(std::ceil(2 * margin())) + std::min(deepest_, kLevelsAtFullWidth) * digit;
    view_.setColumnWidth(
        PlanModel::TreeColumn,
        std::max(bars, view_.horizontalHeader()->sectionSizeHint(PlanModel::TreeColumn)));
}

void PlanTreeDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    // The row's background and selection, as the other cells have them.
    QStyledItemDelegate::paint(painter, option, index);
    const int row = index.row();
    const Subnet* subnet = model_.subnetAt(row);
    if (subnet == nullptr)
        return;
    const Block& network = model_.networkAt(row).block;
    const Subnet* before = model_.subnetAt(row - 1);
    const Subnet* after = model_.subnetAt(row + 1);

    const QPalette::ColorGroup group =
        !option.state.testFlag(QStyle::State_Enabled) ? QPalette::Disabled
        : option.state.testFlag(QStyle::State_Active) ? QPalette::Active
                                                      : QPalette::Inactive;
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QColor ground =
        option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
    const QColor ink =
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    const QColor lit =
        selected ? blend(ground, ink, 0.85) : option.palette.color(group, QPalette::Highlight);

    const qreal width = levelWidth();
    // A gap between neighbouring levels, and at each block's ends so that
    // two blocks of one level read as two.
    const qreal gap = width * 0.3;
    const qreal end = std::max(1.0, option.rect.height() / 6.0);
    const QRectF cell(option.rect);
    painter->save();
    painter->setClipRect(option.rect);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    for (std::int32_t length = network.length; length < subnet->block.length; ++length) {
        const TreeBar bar = treeBar(subnet->block, before ? &before->block : nullptr,
                                    after ? &after->block : nullptr, length);
        const int level = length - network.length;
        // Past the cell where the block goes on, so only its ends are round.
        const qreal top = bar.first ? cell.top() + end : cell.top() - width;
        const qreal bottom = bar.last ? cell.bottom() + 1 - end : cell.bottom() + 1 + width;
        const QRectF shape(cell.left() + margin() + level * width, top, width - gap, bottom - top);
        const bool lighted =
            hovered_ && *hovered_ == blockAround(network.family, subnet->block.first, length);
        // Neighbouring levels alternate in strength, to tell narrow bars apart.
        painter->setBrush(lighted ? lit : blend(ground, ink, level % 2 == 0 ? 0.45 : 0.3));
        painter->drawRoundedRect(shape, (width - gap) / 2, (width - gap) / 2);
    }
    painter->restore();
}

std::optional<Block> PlanTreeDelegate::blockAt(const QPoint& point) const {
    const QModelIndex index = view_.indexAt(point);
    if (!index.isValid() || index.column() != PlanModel::TreeColumn)
        return std::nullopt;
    const Subnet* subnet = model_.subnetAt(index.row());
    if (subnet == nullptr)
        return std::nullopt;
    const Block& network = model_.networkAt(index.row()).block;
    const qreal x = point.x() - view_.columnViewportPosition(PlanModel::TreeColumn) - margin();
    if (x < 0)
        return std::nullopt;
    const auto length = network.length + static_cast<std::int32_t>(x / levelWidth());
    if (length >= subnet->block.length)
        return std::nullopt;
    return blockAround(network.family, subnet->block.first, length);
}

QPoint PlanTreeDelegate::barCentre(int row, std::int32_t length) const {
    const int level = length - model_.networkAt(row).block.length;
    const qreal x = view_.columnViewportPosition(PlanModel::TreeColumn) + margin() +
                    (level + 0.375) * levelWidth();
    return {static_cast<int>(x), view_.rowViewportPosition(row) + view_.rowHeight(row) / 2};
}

void PlanTreeDelegate::hover(std::optional<Block> block) {
    const bool same = hovered_.has_value() == block.has_value() && (!block || *hovered_ == *block);
    if (same)
        return;
    hovered_ = block;
    if (hovered_)
        view_.viewport()->setCursor(Qt::PointingHandCursor);
    else
        view_.viewport()->unsetCursor();
    view_.viewport()->update(view_.columnViewportPosition(PlanModel::TreeColumn), 0,
                             view_.columnWidth(PlanModel::TreeColumn), view_.viewport()->height());
}

bool PlanTreeDelegate::eventFilter(QObject* watched, QEvent* event) {
    // The viewport is no editor: the base class would commit and close it
    // as one when it loses the focus or is given Enter.
    if (watched != viewport_)
        return QStyledItemDelegate::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
        hover(blockAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
        break;
    case QEvent::Leave:
        hover(std::nullopt);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const std::optional<Block> block = blockAt(mouse->position().toPoint());
        if (!block || mouse->button() != Qt::LeftButton)
            break;
        // A double click's second press would join the next block out.
        if (event->type() == QEvent::MouseButtonDblClick)
            return true;
        // From the event loop: the join may ask first, and the press is
        // still being handled.
        QMetaObject::invokeMethod(
            this, [this, block] { emit joinAsked(*block); }, Qt::QueuedConnection);
        // The press joins; it neither selects a row nor starts an edit.
        return true;
    }
    default:
        break;
    }
    return false;
}

bool PlanTreeDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() == QEvent::ToolTip)
        if (const std::optional<Block> block = blockAt(event->pos())) {
            QToolTip::showText(event->globalPos(),
                               QStringLiteral("Click to join the subnets of %1 into one")
                                   .arg(QString::fromStdString(cidrText(*block))),
                               view);
            return true;
        }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

} // namespace quellan
