#include "frame_box.h"

#include <QImage>
#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <QTimer>

namespace quellan {

namespace {

// The smallest rectangle outside which the picture is transparent.
QRect opaquePart(const QPixmap& picture) {
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QRect marked;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 0)
                marked |= QRect(x, y, 1, 1);
    }
    const qreal ratio = picture.devicePixelRatio();
    return QRectF(QRectF(marked).topLeft() / ratio, QRectF(marked).size() / ratio).toAlignedRect();
}

} // namespace

FrameBox::FrameBox(const QString& title, QWidget* parent)
    : QGroupBox(title, parent) {}

void FrameBox::paintEvent(QPaintEvent* /*event*/) {
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    // As QGroupBox paints: QStylePainter smooths stretched pixmaps.
    QStylePainter painter(this);
    if (framePass_) {
        option.subControls = QStyle::SC_GroupBoxFrame;
    } else if (drawsFramePicture()) {
        painter.drawPixmap(pictureRect_.topLeft(), picture_);
        option.subControls &= ~QStyle::SC_GroupBoxFrame;
    } else if (paintedBefore_ && !pictureDue_ && backgroundBeneath().isValid() &&
               !pictureCurrent()) {
        // Painting cannot start another paint of the box: later.
        pictureDue_ = true;
        QTimer::singleShot(0, this, &FrameBox::takePicture);
    }
    // Not at the first paint: a window that opens and closes needs no picture.
    paintedBefore_ = paintedBefore_ || !framePass_;
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

bool FrameBox::drawsFramePicture() const {
    if (!backgroundBeneath().isValid() || !pictureCurrent() || picture_.isNull())
        return false;
    // Controls drawn before the box lie beneath it.
    const QRect inWindow = pictureRect_.translated(pos());
    for (const QObject* child : parentWidget()->children()) {
        if (child == this)
            return true;
        const auto* control = qobject_cast<const QWidget*>(child);
        if (control != nullptr && control->isVisibleTo(parentWidget()) &&
            control->geometry().intersects(inWindow))
            return false;
    }
    return true;
}

// The colour the frame is drawn on, or none where that is not one colour.
QColor FrameBox::backgroundBeneath() const {
    const QWidget* window = parentWidget();
    // On a scaled screen the picture would not fall on whole device pixels.
    if (window == nullptr || !window->isWindow() || autoFillBackground() ||
        devicePixelRatioF() != 1.0)
        return {};
    const QBrush& background = window->palette().brush(window->backgroundRole());
    if (background.style() != Qt::SolidPattern || !background.isOpaque())
        return {};
    return background.color();
}

// Taken for the box as it is now; a frame that draws nothing leaves no picture.
bool FrameBox::pictureCurrent() const {
    return pictureTaken_ && pictureSize_ == size() && pictureTitle_ == title() &&
           pictureBackground_ == backgroundBeneath();
}

void FrameBox::takePicture() {
    pictureDue_ = false;
    const QColor background = backgroundBeneath();
    if (!background.isValid())
        return;
    pictureRect_ = opaquePart(renderFrame(rect(), Qt::transparent));
    picture_ = pictureRect_.isEmpty() ? QPixmap() : renderFrame(pictureRect_, background);
    pictureTaken_ = true;
    pictureSize_ = size();
    pictureTitle_ = title();
    pictureBackground_ = background;
}

// Through the box's own painting, so that every setting of its painter holds.
QPixmap FrameBox::renderFrame(const QRect& area, const QColor& fill) {
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(area.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(fill);
    framePass_ = true;
    render(&picture, QPoint(), QRegion(area), RenderFlags());
    framePass_ = false;
    return picture;
}

void FrameBox::changeEvent(QEvent* event) {
    // Style, palette, font and enabled state all change how the frame looks.
    pictureTaken_ = false;
    picture_ = QPixmap();
    QGroupBox::changeEvent(event);
}

} // namespace quellan
