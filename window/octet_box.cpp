#include "octet_box.h"

#include <QFocusEvent>
#include <QTimer>

namespace quellan {

OctetBox::OctetBox(QWidget* parent)
    : QLineEdit(parent) {
    // "000" keeps every place optional, so text() is exactly the digits typed.
    setInputMask(QStringLiteral("000;_"));
}

void OctetBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // QLineEdit moves the cursor after this (to the first blank on Tab, to the
    // pointer on a click), which would undo a selection made now.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            selectDigits();
    });
}

void OctetBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit focusLost(event->reason());
}

void OctetBox::selectDigits() {
    setSelection(0, static_cast<int>(text().trimmed().size()));
}

} // namespace quellan
