#pragma once

#include <QLabel>
#include <QStaticText>

namespace quellan {

// A label that keeps its text laid out between paints. QLabel shapes its
// text afresh on every paint; with over thirty labels that is the larger part
// of drawing the whole window, and most of them never change.
//
// From its second paint on, a one-line plain text, as this window shows, is
// drawn from the kept layout, placed where QLabel places it, so every pixel
// is as QLabel draws it. The first paint, and anything else (rich or
// selectable text, a margin, an indent, a buddy, a disabled label,
// right-to-left text, a style sheet, a scaled screen), QLabel paints itself.
class TextLabel : public QLabel {
public:
    explicit TextLabel(QWidget* parent = nullptr);
    TextLabel(const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool plainLine() const;
    QRect textArea(int alignment) const;
    void layOut(const QRect& area, int flags);

    bool paintedBefore_ = false;
    QStaticText laidOut_;
    QRectF laidOutBounds_; // where it lies in the label
    // What it was laid out for.
    QRect laidOutArea_;
    int laidOutFlags_ = 0;
    QFont laidOutFont_;
};

} // namespace quellan
