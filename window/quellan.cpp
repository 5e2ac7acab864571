#include "quellan.h"

#include "accessible_factory.h"
#include "control_factory.h"
#include "copy_actions.h"
#include "event_steps.h"
#include "font_configuration.h"
#include "layout_table.h"
#include "octet_box.h"
#include "value_label.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <future>
#include <stdexcept>
#include <string>
#include <vector>

namespace quellan {

namespace {

template <typename Widget> Widget* control(QWidget& window, std::string_view name) {
    auto* widget = window.findChild<Widget*>(QString::fromUtf8(name.data(), name.size()));
    if (widget == nullptr)
        throw std::logic_error("the layout has no control named " + std::string(name));
    return widget;
}

// A plain QWidget reads as a filler panel; screen readers announce a window,
// with its title, only for a frame.
class QuellanAccessible : public QAccessibleWidget {
public:
    explicit QuellanAccessible(QWidget* window)
        : QAccessibleWidget(window, QAccessible::Window) {}
};

// Images, not an icon: pixmaps belong to the window's thread.
std::vector<QImage> readIconImages() {
    std::vector<QImage> images;
    for (const char* file : {":/icons/quellan-16.png", ":/icons/quellan-32.png"})
        images.emplace_back(QString::fromLatin1(file));
    return images;
}

QIcon iconOf(const std::vector<QImage>& images) {
    QIcon icon;
    for (const QImage& image : images)
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

Quellan::Quellan(QWidget* parent)
    : QWidget(parent) {
    useAccessibleInterface<Quellan, QuellanAccessible>();
    setObjectName(QStringLiteral("Quellan"));
    setWindowTitle(QStringLiteral("Brevint Quellan"));
    // The layout was drawn for a dialog font with digits about 6 pixels wide.
    // Liberation Sans (Arial metrics) at 10 pixels fits every caption and the
    // 35-character binary texts; at 8 points (11 pixels) five captions are cut.
    QFont dialogFont(QStringLiteral("Liberation Sans"));
    dialogFont.setPointSizeF(7.5);
    setFont(dialogFont);

    // Qt asks its image-format plugins (gif, ico, jpeg) about a PNG before it
    // reads it itself, so the first image read loads them all; that takes
    // longer than the decoding. Both run beside the building of the controls,
    // the first paint finds the plugins loaded, and the icon is set before
    // the window is shown.
    std::future<std::vector<QImage>> iconImages = std::async(std::launch::async, readIconImages);

    // Building the controls lays out their texts.
    awaitFontConfiguration();
    createControls(*this);
    octetBoxes_ = {control<OctetBox>(*this, "txtOct1"), control<OctetBox>(*this, "txtOct2"),
                   control<OctetBox>(*this, "txtOct3"), control<OctetBox>(*this, "txtOct4")};
    for (std::size_t i = 0; i < kDisplayFields.size(); ++i)
        valueLabels_[i] = control<ValueLabel>(*this, kDisplayFields[i].name);
    slider_ = control<QSlider>(*this, "Slider1");
    defaultMaskButton_ = control<QPushButton>(*this, "Command1");
    statusBar_ = control<QStatusBar>(*this, "StatusBar1");
    statusText_ = control<QLabel>(*statusBar_, "statusText");
    statusBarHeight_ = statusBar_->height();

    setTabOrder(octetBoxes_[0], octetBoxes_[1]);
    setTabOrder(octetBoxes_[1], octetBoxes_[2]);
    setTabOrder(octetBoxes_[2], octetBoxes_[3]);
    setTabOrder(octetBoxes_[3], slider_);
    setTabOrder(slider_, defaultMaskButton_);
    octetBoxes_[0]->setFocus();

    resize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    centreOnScreen();

    windowLoaded(state_);
    showState();
    connectControls();
    addCopyActions(*this, valueLabels_);
    setWindowIcon(iconOf(iconImages.get()));
}

Quellan::~Quellan() {
    // The boxes lose the focus while QWidget's destructor takes them down,
    // after the record is gone; no handler may run then.
    for (OctetBox* box : octetBoxes_)
        disconnect(box, nullptr, this, nullptr);
}

void Quellan::connectControls() {
    for (std::size_t i = 0; i < octetBoxes_.size(); ++i) {
        connect(octetBoxes_[i], &QLineEdit::textChanged, this, [this, i] { handleTextChanged(i); });
        connect(octetBoxes_[i], &OctetBox::focusLost, this,
                [this, i](Qt::FocusReason reason) { handleFocusLost(i, reason); });
    }
    connect(slider_, &QSlider::valueChanged, this, &Quellan::handleSliderMoved);
    connect(defaultMaskButton_, &QPushButton::clicked, this, &Quellan::handleDefaultMask);
}

void Quellan::handleTextChanged(std::size_t box) {
    if (octetChanged(state_, box, octetBoxes_[box]->text().toStdString()))
        showState();
}

void Quellan::handleFocusLost(std::size_t box, Qt::FocusReason reason) {
    // Switching to another application or opening a context menu leaves the
    // focus in the box as far as this window is concerned.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    if (focusReturning_)
        return;
    const bool accepted = octetFocusLost(state_, box);
    showState();
    if (accepted)
        return;
    // Taking the focus back from inside its own focus-out would recurse; and
    // checking the box it went to as well would let two refused boxes pull it
    // back and forth for ever.
    focusReturning_ = true;
    OctetBox* refused = octetBoxes_[box];
    QTimer::singleShot(0, refused, [this, refused] {
        refused->setFocus(Qt::OtherFocusReason);
        focusReturning_ = false;
    });
}

void Quellan::handleSliderMoved(int position) {
    sliderMoved(state_, position);
    showState();
}

void Quellan::handleDefaultMask() {
    defaultMaskClicked(state_);
    showState();
}

void Quellan::showState() {
    // The boxes are the record's input and no step writes them, so they are
    // left alone: rewriting them would move the cursor under the user's hands.
    for (std::size_t i = 0; i < kDisplayFields.size(); ++i)
        valueLabels_[i]->setText(toQString(state_.*kDisplayFields[i].text));
    showSlider();
    const QString status = toQString(state_.statusText);
    statusText_->setText(status);
    // The bar itself carries the text too: the object a screen reader looks
    // for is the one with the status bar role, not the label inside it. Qt
    // announces every setAccessibleName, so only a real change is written.
    if (statusBar_->accessibleName() != status)
        statusBar_->setAccessibleName(status);
}

void Quellan::showSlider() {
    const QSignalBlocker blocker(slider_);
    // The user reaches 1 to 32 only. Classes D and E park the slider at 0,
    // disabled, and it must read back 0, so the track reaches 0 only then.
    const int minimum =
        state_.sliderEnabled ? kSliderMinimum : std::min(kSliderMinimum, state_.sliderValue);
    slider_->setRange(minimum, kSliderMaximum);
    slider_->setValue(state_.sliderValue);
    slider_->setEnabled(state_.sliderEnabled);
    slider_->setToolTip(toQString(state_.sliderToolTip));
}

void Quellan::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    statusBar_->setGeometry(0, height() - statusBarHeight_, width(), statusBarHeight_);
}

void Quellan::centreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect area(QPoint(), size());
    area.moveCenter(screen->availableGeometry().center());
    move(area.topLeft());
}

} // namespace quellan
