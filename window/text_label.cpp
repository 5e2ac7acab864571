#include "text_label.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace quellan {

namespace {

// Where QPainter::drawText puts one line of text of this size in the area.
QRectF placed(QSizeF text, const QRectF& area, int flags) {
    QPointF offset;
    if (flags & Qt::AlignBottom)
        offset.ry() = area.height() - text.height();
    else if (flags & Qt::AlignVCenter)
        offset.ry() = (area.height() - text.height()) / 2;
    if (flags & Qt::AlignRight)
        offset.rx() = area.width() - text.width();
    else if (flags & Qt::AlignHCenter)
        offset.rx() = (area.width() - text.width()) / 2;
    return {area.topLeft() + offset, text};
}

} // namespace

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
           !testAttribute(Qt::WA_StyleSheet) && devicePixelRatioF() == 1.0;
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
    // The window's first frame is drawn as soon as it can be: keeping a
    // layout costs a little more than drawing once, so it waits for the next.
    if (!paintedBefore_ || !plainLine()) {
        paintedBefore_ = true;
        QLabel::paintEvent(event);
        return;
    }
    const auto alignment =
        static_cast<int>(QStyle::visualAlignment(Qt::LeftToRight, this->alignment()).toInt());
    const int flags = alignment | Qt::TextForceLeftToRight;
    const QRect area = textArea(alignment);
    if (laidOut_.text() != text() || laidOutArea_ != area || laidOutFlags_ != flags ||
        laidOutFont_ != font())
        layOut(area, flags);
    QPainter painter(this);
    drawFrame(&painter);
    // The pen the style draws an enabled label's text with.
    QStyleOption option;
    option.initFrom(this);
    painter.setPen(QPen(option.palette.brush(foregroundRole()), painter.pen().widthF()));
    // A text too long for its place is cut at its edges, as QPainter cuts it.
    if (!QRectF(area).contains(laidOutBounds_))
        painter.setClipRect(area, Qt::IntersectClip);
    painter.drawStaticText(laidOutBounds_.topLeft(), laidOut_);
}

void TextLabel::layOut(const QRect& area, int flags) {
    laidOut_ = QStaticText(text());
    laidOut_.setTextFormat(Qt::PlainText);
    laidOut_.prepare(QTransform(), font());
    // QStaticText rounds its height up; a line of text is as high as the
    // font's ascent and descent, also where some characters come from another font.
    const QFontMetricsF metrics(font(), this);
    laidOutBounds_ = placed({laidOut_.size().width(), metrics.height()}, QRectF(area), flags);
    laidOutArea_ = area;
    laidOutFlags_ = flags;
    laidOutFont_ = font();
}

} // namespace quellan
