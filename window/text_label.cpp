#include "text_label.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace quellan {

TextLabel::TextLabel(QWidget* parent)
    : QLabel(parent) {}

TextLabel::TextLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent) {}

bool TextLabel::plainLine() const {
    const QString& shown = text();
    return !shown.isEmpty() && textFormat() == Qt::PlainText && !wordWrap() && margin() == 0 &&
           indent() < 0 && buddy() == nullptr && isEnabled() &&
           layoutDirection() == Qt::LeftToRight && !shown.isRightToLeft() &&
           !shown.contains(u'\n') && !shown.contains(u'\t') &&
           !(textInteractionFlags() & (Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard)) &&
           !testAttribute(Qt::WA_StyleSheet);
}

// Where QLabel lays the text out: its contents, less half an "x" on the
// aligned sides when it has a frame.
QRect TextLabel::textArea(int alignment) const {
    QRect area = contentsRect();
    const int indent = frameWidth() > 0 ? fontMetrics().horizontalAdvance(u'x') / 2 : 0;
    if (indent > 0) {
        if (alignment & Qt::AlignLeft)
            area.setLeft(area.left() + indent);
        if (alignment & Qt::AlignRight)
            area.setRight(area.right() - indent);
        if (alignment & Qt::AlignTop)
            area.setTop(area.top() + indent);
        if (alignment & Qt::AlignBottom)
            area.setBottom(area.bottom() - indent);
    }
    return area;
}

void TextLabel::paintEvent(QPaintEvent* event) {
    if (!plainLine()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const auto alignment =
        static_cast<int>(QStyle::visualAlignment(Qt::LeftToRight, this->alignment()).toInt());
    const int flags = alignment | Qt::TextForceLeftToRight;
    const QRect area = textArea(alignment);
    if (laidOut_.text() != text() || laidOutArea_ != area || laidOutFlags_ != flags ||
        laidOutFont_ != font()) {
        laidOutBounds_ = painter.boundingRect(QRectF(area), flags, text());
        laidOut_ = QStaticText(text());
        laidOut_.setTextFormat(Qt::PlainText);
        laidOut_.prepare(QTransform(), font());
        laidOutArea_ = area;
        laidOutFlags_ = flags;
        laidOutFont_ = font();
    }
    // The pen the style draws an enabled label's text with.
    QStyleOption option;
    option.initFrom(this);
    painter.setPen(QPen(option.palette.brush(foregroundRole()), painter.pen().widthF()));
    // A text too long for its place is cut at its edges, as QPainter cuts it.
    if (!QRectF(area).contains(laidOutBounds_))
        painter.setClipRect(area, Qt::IntersectClip);
    painter.drawStaticText(laidOutBounds_.topLeft(), laidOut_);
}

} // namespace quellan
