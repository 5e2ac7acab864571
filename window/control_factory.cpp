#include "control_factory.h"

#include "calculator/event_steps.h"
#include "calculator/window_state.h"
#include "layout_table.h"
#include "octet_box.h"
#include "value_label.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quellan {

namespace {

QLabel* makeCaption(const ControlRow& row, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(row.text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(row.alignment);
    return label;
}

// The results name a field by the caption the core gives it, and the label
// beside it on screen must read the same, or copied lines would not match
// what people see: a window whose captions have drifted is not built.
QString fieldCaption(const ControlRow& valueLabel) {
    const auto* field = std::find_if(
        kDisplayFields.begin(), kDisplayFields.end(),
        [&valueLabel](const DisplayField& candidate) { return candidate.name == valueLabel.name; });
    if (field == kDisplayFields.end())
        throw std::logic_error("no result field is named " + std::string(valueLabel.name));
    const std::string shown = std::string(field->caption) + " :";
    if (shown != captionOf(valueLabel).text)
        throw std::logic_error("the caption of " + std::string(valueLabel.name) +
                               " does not read \"" + shown + '"');
    return QString::fromUtf8(field->caption.data(), static_cast<qsizetype>(field->caption.size()));
}

ValueLabel* makeValueLabel(const ControlRow& row, QWidget* parent) {
    auto* label = new ValueLabel(fieldCaption(row), parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromUtf8(row.text));
    label->setAlignment(row.alignment);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
    return label;
}

QSlider* makeSlider(QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(kSliderMinimum, kSliderMaximum);
    slider->setSingleStep(1);
    slider->setPageStep(5);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    return slider;
}

QPushButton* makeButton(const ControlRow& row, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(row.text), parent);
    // Enter in an octet box must not set the default mask.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QStatusBar* makeStatusBar(QWidget* parent) {
    auto* bar = new QStatusBar(parent);
    bar->setSizeGripEnabled(false);
    // A permanent label rather than showMessage(), which menus and status tips clear.
    auto* text = new QLabel(bar);
    text->setObjectName(QStringLiteral("statusText"));
    text->setTextFormat(Qt::PlainText);
    bar->addPermanentWidget(text, 1);
    return bar;
}

QWidget* makeControl(const ControlRow& row, QWidget* parent) {
    switch (row.kind) {
    case ControlKind::Caption:
        return makeCaption(row, parent);
    case ControlKind::ValueLabel:
        return makeValueLabel(row, parent);
    case ControlKind::OctetBox:
        return new OctetBox(parent);
    case ControlKind::Slider:
        return makeSlider(parent);
    case ControlKind::Frame:
        return new QGroupBox(QString::fromUtf8(row.text), parent);
    case ControlKind::Button:
        return makeButton(row, parent);
    case ControlKind::StatusBar:
        return makeStatusBar(parent);
    }
    throw std::logic_error("unknown control kind");
}

QWidget* containerOf(const ControlRow& row, QWidget& window) {
    if (row.container == nullptr)
        return &window;
    auto* frame = window.findChild<QGroupBox*>(QString::fromUtf8(row.container));
    if (frame == nullptr)
        throw std::logic_error(std::string("layout names a frame it has not created yet: ") +
                               row.container);
    return frame;
}

} // namespace

void createControls(QWidget& window) {
    for (const ControlRow& row : layoutTable()) {
        QWidget* control = makeControl(row, containerOf(row, window));
        control->setObjectName(QString::fromUtf8(row.name));
        control->setGeometry(pixelRect(row));
        if (row.accessibleName != nullptr)
            control->setAccessibleName(QString::fromUtf8(row.accessibleName));
    }
    // Each dot label reaches a pixel into the boxes on both sides; the boxes
    // are drawn over it. The dots go down rather than the boxes up: stacking
    // order is also the order in which a screen reader reads the controls, and
    // the boxes belong right after "Enter the IP address here :".
    const auto boxes = window.findChildren<OctetBox*>(Qt::FindDirectChildrenOnly);
    for (auto* label : window.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const auto overlaps = [label](const QWidget* box) {
            return box->geometry().intersects(label->geometry());
        };
        if (std::any_of(boxes.begin(), boxes.end(), overlaps))
            label->lower();
    }
}

} // namespace quellan
