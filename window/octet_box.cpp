#include "octet_box.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>

namespace quellan {

OctetBox::OctetBox(QWidget* parent)
    : QLineEdit(parent) {
    // "000" keeps every place optional, so text() is exactly the digits typed.
    setInputMask(QStringLiteral("000;_"));
    // The mask lets in the digits of every script, by paste or input method;
    // an octet is written in ASCII digits, so the others are translated.
    connect(this, &QLineEdit::textChanged, this, &OctetBox::asciiDigitsOnly);
}

void OctetBox::asciiDigitsOnly() {
    const QString current = text();
    QString ascii;
    for (const QChar c : current)
        if (c.isDigit())
            ascii.append(QChar(u'0' + c.digitValue()));
    if (ascii != current)
        setText(ascii);
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

void OctetBox::keyPressEvent(QKeyEvent* event) {
    // QLineEdit deletes the selection before its mask looks at the character,
    // so a letter typed over the selected digits would erase them.
    const QString typed = event->text();
    const bool shortcut =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool printable = !typed.isEmpty() && typed.front().isPrint();
    const bool digits =
        std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isDigit(); });
    if (printable && !shortcut && !digits) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void OctetBox::selectDigits() {
    setSelection(0, static_cast<int>(text().trimmed().size()));
}

} // namespace quellan
