#pragma once

#include <QGroupBox>
#include <QPixmap>

namespace quellan {

// A group box that keeps a picture of its frame. The frame is a stretched
// image that costs more to draw than everything inside it, and each change of
// a field inside redraws the part of it behind that field.
//
// The picture is taken, soon after the frame is drawn a second time, by
// the box's own painting onto the window's background, so laying it down
// leaves exactly the pixels drawing would. Where that cannot hold (a
// background of more than one colour, a control beneath the frame, a scaled
// screen) the box draws as a plain QGroupBox. The title is always drawn afresh.
//
// No Q_OBJECT: the box reads as a QGroupBox to styles and screen readers.
class FrameBox : public QGroupBox {
public:
    FrameBox(const QString& title, QWidget* parent);

    // Whether the next paint lays the frame down from the picture.
    bool drawsFramePicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QColor backgroundBeneath() const;
    bool pictureCurrent() const;
    void takePicture();
    QPixmap renderFrame(const QRect& area, const QColor& fill);

    bool framePass_ = false; // painting the frame alone, for the picture
    bool paintedBefore_ = false;
    bool pictureDue_ = false; // a new picture is on its way
    bool pictureTaken_ = false;
    QPixmap picture_;   // the frame on the background
    QRect pictureRect_; // where it goes, in the box
    QSize pictureSize_; // what it was taken for
    QString pictureTitle_;
    QColor pictureBackground_;
};

} // namespace quellan
