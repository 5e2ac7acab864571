#include "subnet_table.h"

#include "calculator/subnet_rows.h"
#include "networks/block_split.h"

#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <array>

namespace quellan {

namespace {

// The widest text each column can hold, which sets its width once rather
// than measuring millions of rows.
constexpr std::array<const char*, kSubnetColumnCaptions.size()> kWidestCell{
    "255.255.255.252/30", "255.255.255.253", "255.255.255.254", "255.255.255.255", "16777214"};

bool sameRows(const SubnetList& a, const SubnetList& b) {
    return a.rows == b.rows && a.length == b.length && a.network.first == b.network.first;
}

} // namespace

SubnetTable::SubnetTable(QWidget* parent)
    : QAbstractScrollArea(parent)
    , header_(new QHeaderView(Qt::Horizontal, this)) {
    setFocusPolicy(Qt::StrongFocus);

    // The header's model holds only the captions; the rows are never in a
    // model.
    auto* captions = new QStandardItemModel(0, columnCount(), header_);
    for (int column = 0; column < columnCount(); ++column) {
        captions->setHeaderData(column, Qt::Horizontal, columnCaption(column));
        captions->setHeaderData(
            column, Qt::Horizontal,
            QString::fromLatin1(kSubnetColumnTips[static_cast<std::size_t>(column)]),
            Qt::ToolTipRole);
    }
    header_->setModel(captions);
    header_->setSectionsClickable(false);
    header_->setHighlightSections(false);
    header_->setStretchLastSection(true);
    fitColumns();
    connect(header_, &QHeaderView::sectionResized, this, [this] {
        updateScrollBars();
        viewport()->update();
    });
    placeHeader();
}

void SubnetTable::fitColumns() {
    const QFontMetrics metrics = fontMetrics();
    const int padding = 3 * metrics.averageCharWidth();
    for (int column = 0; column < columnCount(); ++column) {
        const auto i = static_cast<std::size_t>(column);
        const int widest = std::max(metrics.horizontalAdvance(QString::fromLatin1(kWidestCell[i])),
                                    metrics.horizontalAdvance(columnCaption(column)));
        header_->resizeSection(column, widest + padding);
    }
}

void SubnetTable::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fitColumns();
        placeHeader();
        updateScrollBars();
    }
}

int SubnetTable::columnCount() {
    return static_cast<int>(kSubnetColumnCaptions.size());
}

QString SubnetTable::columnCaption(int column) {
    return QString::fromLatin1(kSubnetColumnCaptions.at(static_cast<std::size_t>(column)));
}

QString SubnetTable::cellText(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    std::string text;
    appendSubnetCell(text, subnetAt(list_.network, list_.length, static_cast<std::uint32_t>(row)),
                     static_cast<SubnetColumn>(column));
    return QString::fromLatin1(text);
}

void SubnetTable::setList(const SubnetList& list) {
    const bool rowsChanged = !sameRows(list, list_);
    list_ = list;
    if (rowsChanged)
        updateScrollBars();
    if (list_.rows == 0) {
        selection_.clear();
        current_ = anchor_ = 0;
    } else {
        // A row already in sight stays where it is; one out of sight comes
        // to the middle, with its neighbours around it.
        current_ = anchor_ = list_.addressRow;
        selection_.selectOnly(current_);
        const int top = topRow();
        const bool inSight =
            current_ >= static_cast<std::uint32_t>(top) &&
            current_ < static_cast<std::uint32_t>(top) + static_cast<std::uint32_t>(rowsInSight());
        scrollToRow(current_, !inSight);
    }
    viewport()->update();
    if (rowsChanged)
        announceNewRows();
}

void SubnetTable::selectRow(int row) {
    if (row >= 0 && row < rowCount() && !selection_.contains(static_cast<std::uint32_t>(row)))
        moveTo(row, Reach::Toggle);
}

void SubnetTable::unselectRow(int row) {
    if (row >= 0 && row < rowCount() && selection_.contains(static_cast<std::uint32_t>(row)))
        moveTo(row, Reach::Toggle);
}

int SubnetTable::topRow() const {
    return verticalScrollBar()->value();
}

int SubnetTable::rowHeight() const {
    return fontMetrics().height() + 6;
}

// Rows wholly in sight; at least one, so that a page always moves.
int SubnetTable::rowsInSight() const {
    return std::max(1, viewport()->height() / rowHeight());
}

int SubnetTable::rowAt(int y) const {
    const int row = topRow() + (y < 0 ? -1 : y / rowHeight());
    return std::clamp(row, 0, std::max(0, rowCount() - 1));
}

QRect SubnetTable::cellRect(int row, int column) const {
    const int top = topRow();
    if (row < top || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    const int y = (row - top) * rowHeight();
    if (y >= viewport()->height())
        return {};
    return {header_->sectionViewportPosition(column), y, header_->sectionSize(column), rowHeight()};
}

QRect SubnetTable::columnHeaderRect(int column) const {
    return {header_->pos() + QPoint(header_->sectionViewportPosition(column), 0),
            QSize(header_->sectionSize(column), header_->height())};
}

void SubnetTable::updateScrollBars() {
    const int inSight = rowsInSight();
    verticalScrollBar()->setPageStep(inSight);
    verticalScrollBar()->setRange(0, std::max(0, rowCount() - inSight));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth() * 2);
    horizontalScrollBar()->setRange(0, std::max(0, header_->length() - viewport()->width()));
}

void SubnetTable::placeHeader() {
    const int height = header_->sizeHint().height();
    setViewportMargins(0, height, 0, 0);
    const QRect area = viewport()->geometry();
    header_->setGeometry(area.left(), area.top() - height, area.width(), height);
}

void SubnetTable::scrollToRow(std::uint32_t row, bool centre) {
    const int target = static_cast<int>(row);
    const int inSight = rowsInSight();
    const int top = topRow();
    if (centre)
        verticalScrollBar()->setValue(target - inSight / 2);
    else if (target < top)
        verticalScrollBar()->setValue(target);
    else if (target >= top + inSight)
        verticalScrollBar()->setValue(target - inSight + 1);
}

void SubnetTable::moveTo(std::int64_t row, Reach reach) {
    if (list_.rows == 0)
        return;
    current_ = static_cast<std::uint32_t>(std::clamp<std::int64_t>(row, 0, list_.rows - 1));
    switch (reach) {
    case Reach::Single:
        selection_.selectOnly(current_);
        anchor_ = current_;
        break;
    case Reach::Span:
        selection_.selectSpan(anchor_, current_);
        break;
    case Reach::Toggle:
        selection_.toggle(current_);
        anchor_ = current_;
        break;
    case Reach::Keep:
        break;
    }
    scrollToRow(current_, false);
    viewport()->update();
    if (hasFocus())
        announceFocus();
}

void SubnetTable::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const Reach reach = shift ? Reach::Span : control ? Reach::Keep : Reach::Single;
    const std::int64_t current = current_;
    const int page = rowsInSight();
    switch (event->key()) {
    case Qt::Key_Up:
        moveTo(current - 1, reach);
        return;
    case Qt::Key_Down:
        moveTo(current + 1, reach);
        return;
    case Qt::Key_PageUp:
        moveTo(current - page, reach);
        return;
    case Qt::Key_PageDown:
        moveTo(current + page, reach);
        return;
    case Qt::Key_Home:
        moveTo(0, reach);
        return;
    case Qt::Key_End:
        moveTo(std::int64_t{list_.rows} - 1, reach);
        return;
    case Qt::Key_Space:
        moveTo(current, control ? Reach::Toggle : reach);
        return;
    default:
        break;
    }
    if (event->matches(QKeySequence::SelectAll) && list_.rows > 0) {
        selection_.selectSpan(0, list_.rows - 1);
        viewport()->update();
        return;
    }
    // Left and Right scroll sideways; anything else goes on to the window.
    QAbstractScrollArea::keyPressEvent(event);
}

void SubnetTable::mousePressEvent(QMouseEvent* event) {
    if (list_.rows == 0 || event->position().y() >= (rowCount() - topRow()) * rowHeight())
        return;
    const int row = rowAt(static_cast<int>(event->position().y()));
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (event->button() == Qt::RightButton) {
        // The menu's Copy takes the row under the pointer, or the selection
        // it is part of.
        moveTo(row,
               selection_.contains(static_cast<std::uint32_t>(row)) ? Reach::Keep : Reach::Single);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    moveTo(row, modifiers.testFlag(Qt::ShiftModifier)     ? Reach::Span
                : modifiers.testFlag(Qt::ControlModifier) ? Reach::Toggle
                                                          : Reach::Single);
}

void SubnetTable::mouseMoveEvent(QMouseEvent* event) {
    // Dragging past the top or bottom scrolls a row at a time.
    if (event->buttons().testFlag(Qt::LeftButton) && list_.rows > 0)
        moveTo(rowAt(static_cast<int>(event->position().y())), Reach::Span);
}

void SubnetTable::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    placeHeader();
    updateScrollBars();
}

void SubnetTable::scrollContentsBy(int dx, int /*dy*/) {
    if (dx != 0)
        header_->setOffset(horizontalScrollBar()->value());
    viewport()->update();
}

void SubnetTable::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    announceFocus();
}

void SubnetTable::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void SubnetTable::paintEvent(QPaintEvent* event) {
    if (list_.rows == 0)
        return;
    QPainter painter(viewport());
    const int height = rowHeight();
    const int top = topRow();
    const QRect area = event->rect();
    const int first = top + area.top() / height;
    const int last = std::min(rowCount() - 1, top + area.bottom() / height);
    const int right = header_->length() - horizontalScrollBar()->value();
    const QFontMetrics metrics = fontMetrics();
    // The text margin of Qt's own item views.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int baseline = (height - metrics.height()) / 2 + metrics.ascent();
    const QPalette& colours = palette();
    std::string text;
    for (int row = first; row <= last; ++row) {
        const int y = (row - top) * height;
        const bool selected = selection_.contains(static_cast<std::uint32_t>(row));
        if (selected)
            painter.fillRect(0, y, right, height, colours.highlight());
        painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const Block subnet = subnetAt(list_.network, list_.length, static_cast<std::uint32_t>(row));
        for (int column = 0; column < columnCount(); ++column) {
            const QRect cell(header_->sectionViewportPosition(column), y,
                             header_->sectionSize(column), height);
            if (!cell.intersects(area))
                continue;
            text.clear();
            const auto which = static_cast<SubnetColumn>(column);
            appendSubnetCell(text, subnet, which);
            const QString shown = QString::fromLatin1(text);
            // Counts line up by their last digit, as in a spreadsheet.
            const int x = which == SubnetColumn::Hosts
                              ? cell.right() - margin - metrics.horizontalAdvance(shown)
                              : cell.left() + margin;
            painter.setClipRect(cell.adjusted(0, 0, -1, 0));
            painter.drawText(x, y + baseline, shown);
        }
        painter.setClipping(false);
    }
    // The grid, as a spreadsheet draws it: a line after each cell.
    const int bottom = (last - top + 1) * height;
    QStyleOption option;
    option.initFrom(this);
    painter.setPen(QColor::fromRgba(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this))));
    for (int row = first; row <= last; ++row) {
        const int y = (row - top + 1) * height - 1;
        painter.drawLine(0, y, right - 1, y);
    }
    for (int column = 0; column < columnCount(); ++column) {
        const int x = header_->sectionViewportPosition(column) + header_->sectionSize(column) - 1;
        painter.drawLine(x, 0, x, bottom - 1);
    }
    if (hasFocus() && currentRow() >= first && currentRow() <= last) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = QRect(0, (currentRow() - top) * height, right, height - 1);
        focus.backgroundColor =
            colours.color(selection_.contains(current_) ? QPalette::Highlight : QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

int SubnetTable::accessibleChild(int row, int column) {
    return (row + 1) * columnCount() + column;
}

void SubnetTable::announceFocus() {
    if (!QAccessible::isActive() || currentRow() < 0)
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(accessibleChild(currentRow(), 0));
    QAccessible::updateAccessibility(&event);
}

void SubnetTable::announceNewRows() {
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&event);
}

} // namespace quellan
