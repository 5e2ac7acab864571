#include "quellan.h"

#include "accessible_factory.h"
#include "addresses/ipv6_text.h"
#include "addresses/number_text.h"
#include "calculator/event_steps.h"
#include "calculator/field_tips.h"
#include "calculator/octet_text.h"
#include "calculator/subnet_list.h"
#include "control_factory.h"
#include "copy_actions.h"
#include "layout_table.h"
#include "octet_box.h"
#include "planner_window.h"
#include "png_reading.h"
#include "subnet_window.h"
#include "value_label.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

namespace quellan {

namespace {

template <typename Widget> Widget* control(QWidget& window, std::string_view name) {
    auto* widget = window.findChild<Widget*>(QString::fromUtf8(name));
    if (widget == nullptr)
        throw std::logic_error("the layout has no control named " + std::string(name));
    return widget;
}

QIcon readWindowIcon() {
    QIcon icon;
    for (const char* file : {":/icons/quellan-16.png", ":/icons/quellan-32.png"})
        icon.addPixmap(QPixmap::fromImage(readPng(QString::fromLatin1(file))));
    return icon;
}

QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}

// The address at the slider's length; with the slider off, the classful
// network, where there is one.
std::optional<Block> networkToPlan(const WindowState& state) {
    const SubnetList list = subnetListOf(state);
    if (list.rows == 0)
        return std::nullopt;
    if (!state.sliderEnabled)
        return list.network;
    // As the subnet list does: the address the fields were worked out from.
    const std::uint32_t address = addressOfOctets(octetsOfBinaryText(state.lblBinIPAddr));
    return blockAround(Family::IPv4, address, state.sliderValue);
}

} // namespace

Quellan::Quellan(QWidget* parent)
    : QWidget(parent) {
    useAccessibleInterface<Quellan, FrameAccessible>();
    setObjectName(QStringLiteral("Quellan"));
    setWindowTitle(QStringLiteral("Brevint Quellan"));
    // The layout's widths assume a font whose digits are about 6 pixels wide:
    // Liberation Sans (Arial's metrics) at 7.5 points, 10 pixels at 96 dpi,
    // fits every caption and the 35-character binary texts; at 8 points
    // (11 pixels) five captions are cut.
    QFont dialogFont(QStringLiteral("Liberation Sans"));
    dialogFont.setPointSizeF(7.5);
    setFont(dialogFont);

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
    addCopyActions(*this, valueLabels_, state_);
    addSubnetsAction();
    addPlanAction();
    addResultsMenu(*this, valueLabels_);
    setWindowIcon(readWindowIcon());
}

Quellan::~Quellan() {
    // The boxes lose the focus while QWidget's destructor takes them down,
    // after the record is gone; no handler may run then.
    for (OctetBox* box : octetBoxes_) {
        disconnect(box, nullptr, this, nullptr);
        box->setAddressTaker({});
    }
    slider_->removeEventFilter(this);
}

void Quellan::connectControls() {
    for (std::size_t i = 0; i < octetBoxes_.size(); ++i) {
        connect(octetBoxes_[i], &QLineEdit::textChanged, this, [this, i] { handleTextChanged(i); });
        connect(octetBoxes_[i], &OctetBox::focusLost, this,
                [this, i](Qt::FocusReason reason) { handleFocusLost(i, reason); });
        connect(octetBoxes_[i], &OctetBox::separatorTyped, this,
                [this, i](QChar separator) { handleSeparator(i, separator); });
        connect(octetBoxes_[i], &OctetBox::textPartlyTaken, this, [this](bool anythingTaken) {
            pastePartlyTaken(state_, anythingTaken);
            showState();
        });
        octetBoxes_[i]->setAddressTaker([this](const QString& text) { return takeAddress(text); });
    }
    slider_->installEventFilter(this);
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
    if (!accepted)
        focusRefusedBox(box);
}

void Quellan::focusRefusedBox(std::size_t box) {
    OctetBox* refused = octetBoxes_[box];
    if (refused->hasFocus()) {
        refused->selectDigits();
        return;
    }
    // Taking the focus back from inside its own focus-out would recurse; and
    // checking the box it leaves as well would let two refused boxes pull it
    // back and forth for ever.
    focusReturning_ = true;
    QTimer::singleShot(0, refused, [this, refused] {
        refused->setFocus(Qt::OtherFocusReason);
        focusReturning_ = false;
    });
}

void Quellan::handleSeparator(std::size_t box, QChar separator) {
    // Typed straight through, "10.0.0.1/8" and "172.16.5.4 255.255.240.0"
    // move on where Tab would; the box being left is checked as on Tab.
    const bool holdsDigits = !octetBoxes_[box]->text().isEmpty();
    const bool lastBox = box + 1 == octetBoxes_.size();
    if (separator == u'.' && holdsDigits && !lastBox)
        octetBoxes_[box + 1]->setFocus(Qt::TabFocusReason);
    else if ((separator == u'/' || (separator == u' ' && holdsDigits && lastBox)) &&
             slider_->isEnabled())
        slider_->setFocus(Qt::TabFocusReason);
}

bool Quellan::takeAddress(const QString& text) {
    const std::string typed = text.toStdString();
    if (looksLikeIpv6(typed) && parseIpv6(typed).reason.empty()) {
        ipv6AddressPasted(state_);
        showState();
        return true;
    }
    const ParsedAddress parsed = parseAddress(typed);
    if (!parsed.isAddress)
        return false;
    const AddressEntry entry = addressEntered(state_, parsed);
    // The record already holds these texts, so the boxes' change
    // notifications find nothing new to recalculate.
    for (std::size_t i = 0; i < octetBoxes_.size(); ++i)
        octetBoxes_[i]->setText(toQString(state_.octets[i]));
    showState();
    if (entry.refusedBox)
        focusRefusedBox(*entry.refusedBox);
    return true;
}

bool Quellan::eventFilter(QObject* watched, QEvent* event) {
    if (watched == slider_) {
        if (event->type() == QEvent::FocusIn)
            sliderTypingFresh_ = true;
        else if (event->type() == QEvent::KeyPress && typeOnSlider(*static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool Quellan::typeOnSlider(const QKeyEvent& key) {
    constexpr qint64 kPauseMs = 1000;
    const QString typed = key.text();
    if (typed.size() != 1 || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const QChar c = typed.front();
    if (!c.isDigit() && c != u'.')
        return false;
    const bool fresh = sliderTypingFresh_ || sinceSliderKey_.elapsed() > kPauseMs;
    sliderTypingFresh_ = false;
    sinceSliderKey_.start();
    const char ascii = c.isDigit() ? static_cast<char>('0' + c.digitValue()) : '.';
    if (const auto length = maskTyping_.type(ascii, fresh))
        handleSliderMoved(*length);
    return true;
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
    const auto tips = fieldTips(state_);
    for (std::size_t i = 0; i < kDisplayFields.size(); ++i) {
        valueLabels_[i]->setText(toQString(state_.*kDisplayFields[i].text));
        valueLabels_[i]->setToolTip(toQString(tips[i]));
    }
    showSlider();
    const QString status = toQString(state_.statusText);
    statusText_->setText(status);
    // The bar itself carries the text too: the object a screen reader looks
    // for is the one with the status bar role, not the label inside it. Qt
    // announces every setAccessibleName, so only a real change is written.
    if (statusBar_->accessibleName() != status)
        statusBar_->setAccessibleName(status);
    emit stateShown();
}

void Quellan::addSubnetsAction() {
    auto* subnets = new QAction(QStringLiteral("Subnets…"), this);
    subnets->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    subnets->setShortcutContext(Qt::WindowShortcut);
    connect(subnets, &QAction::triggered, this, &Quellan::openSubnets);
    addAction(subnets);
    for (ValueLabel* field : valueLabels_)
        field->addAction(subnets);
}

void Quellan::openSubnets() {
    if (subnetWindow_ == nullptr) {
        subnetWindow_ = new SubnetWindow(state_, this);
        connect(this, &Quellan::stateShown, subnetWindow_, &SubnetWindow::follow);
    }
    subnetWindow_->open();
}

void Quellan::addPlanAction() {
    auto* plan = new QAction(QStringLiteral("Plan…"), this);
    plan->setObjectName(QStringLiteral("openPlanner"));
    plan->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    plan->setShortcutContext(Qt::WindowShortcut);
    connect(plan, &QAction::triggered, this, &Quellan::openPlanner);
    addAction(plan);
    for (ValueLabel* field : valueLabels_)
        field->addAction(plan);
}

void Quellan::openPlanner() {
    const std::optional<Block> network = networkToPlan(state_);
    if (!network) {
        QMessageBox::information(this, QStringLiteral("Plan"),
                                 QStringLiteral("There is no network to plan: %1")
                                     .arg(toQString(subnetListOf(state_).note)));
        return;
    }
    const NewPlan made = newPlan(std::span(&*network, 1), Profile::Standard);
    if (!made.reason.empty()) {
        QMessageBox::warning(this, QStringLiteral("Plan"), toQString(made.reason));
        return;
    }
    // Each a plan of its own, closed with its window.
    auto* planner = new PlannerWindow(made.plan, {}, this);
    planner->setAttribute(Qt::WA_DeleteOnClose);
    planner->show();
    planner->activateWindow();
}

void Quellan::closeEvent(QCloseEvent* event) {
    for (PlannerWindow* planner : findChildren<PlannerWindow*>(Qt::FindDirectChildrenOnly)) {
        if (!planner->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
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
