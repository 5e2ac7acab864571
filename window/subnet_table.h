#pragma once

// The subnet list's rows on screen. Every row has the same height, so the
// view finds any of millions of rows by arithmetic and works out the texts
// of only the rows in sight when it paints: it keeps nothing per row, and a
// new list costs the same whatever its length. It works as a desktop list
// does: arrows, pages, Home and End move the current row, Shift selects a
// run, Ctrl moves without selecting and Ctrl+Space or Ctrl+click adds or
// takes out a row, Ctrl+A selects all.

#include "calculator/row_selection.h"
#include "calculator/subnet_list.h"

#include <QAbstractScrollArea>

class QHeaderView;

namespace quellan {

class SubnetTable : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit SubnetTable(QWidget* parent = nullptr);

    // Shows `list`, its address's row current, selected and in sight.
    void setList(const SubnetList& list);
    const SubnetList& list() const { return list_; }

    int rowCount() const { return static_cast<int>(list_.rows); }
    static int columnCount();
    // -1 in an empty list.
    int currentRow() const { return list_.rows == 0 ? -1 : static_cast<int>(current_); }
    const RowSelection& selection() const { return selection_; }
    void selectRow(int row);
    void unselectRow(int row);

    QString cellText(int row, int column) const;
    static QString columnCaption(int column);
    // A cell's place among the table's accessible children: the column
    // headers first (row -1), then the cells row by row.
    static int accessibleChild(int row, int column);
    // The cell in viewport coordinates; empty where it is out of sight.
    QRect cellRect(int row, int column) const;
    QRect columnHeaderRect(int column) const;
    // The row at a height in the viewport, the first or last one beyond them.
    int rowAt(int y) const;
    QHeaderView* header() const { return header_; }

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    enum class Reach { Single, Span, Keep, Toggle };
    void moveTo(std::int64_t row, Reach reach);
    void scrollToRow(std::uint32_t row, bool centre);
    int topRow() const;
    int rowHeight() const;
    int rowsInSight() const;
    void fitColumns();
    void updateScrollBars();
    void placeHeader();
    // What screen readers are told: the focus is on the current row, or
    // the table shows rows of another list.
    void announceFocus();
    void announceNewRows();

    SubnetList list_;
    RowSelection selection_;
    std::uint32_t current_ = 0;
    std::uint32_t anchor_ = 0;
    QHeaderView* header_ = nullptr;
};

} // namespace quellan
