#include "octet_box.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

#include <algorithm>

namespace quellan {

namespace {

// The digits of every script as ASCII digits, everything else as it was.
QString withAsciiDigits(const QString& text) {
    QString ascii = text;
    for (QChar& c : ascii)
        if (c.isDigit())
            c = QChar(u'0' + c.digitValue());
    return ascii;
}

bool onlyDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

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

bool OctetBox::receive(const QString& text, const std::function<void()>& insertAsUsual) {
    const QString ascii = withAsciiDigits(text);
    if (takeAddress_ && takeAddress_(ascii))
        return true;
    const QString before = this->text();
    insertAsUsual();
    const QString wanted = ascii.trimmed();
    if (wanted.isEmpty() || (onlyDigits(wanted) && this->text().contains(wanted)))
        return false;
    const bool anyDigit =
        std::any_of(wanted.begin(), wanted.end(), [](QChar c) { return c.isDigit(); });
    emit textPartlyTaken(anyDigit && this->text() != before);
    return false;
}

void OctetBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // From the keyboard, at once: a digit typed straight after Tab may be
    // handled before anything put off till later, and must replace these.
    if (event->reason() != Qt::MouseFocusReason) {
        selectDigits();
        return;
    }
    // A click moves the cursor to the pointer after this, which would undo a
    // selection made now; later, unless a key came first.
    QTimer::singleShot(0, this, [this, before = text()] {
        if (hasFocus() && text() == before)
            selectDigits();
    });
}

void OctetBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit focusLost(event->reason());
}

void OctetBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        receive(QGuiApplication::clipboard()->text(),
                [this, event] { QLineEdit::keyPressEvent(event); });
        event->accept();
        return;
    }
    // QLineEdit deletes the selection before its mask looks at the character,
    // so a letter typed over the selected digits would erase them.
    const QString typed = event->text();
    const bool shortcut =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool printable = !typed.isEmpty() && typed.front().isPrint();
    if (printable && !shortcut && !onlyDigits(typed)) {
        if (typed == u"." || typed == u"/" || typed == u" ")
            emit separatorTyped(typed.front());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void OctetBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    // The menu's actions carry no names; Paste is known by the text QLineEdit
    // gives it, translated as QLineEdit translates it, before its shortcut.
    const QString pasteText = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text().section(u'\t', 0, 0) != pasteText)
            continue;
        disconnect(action, nullptr, this, nullptr);
        connect(action, &QAction::triggered, this, [this] {
            receive(QGuiApplication::clipboard()->text(), [this] { QLineEdit::paste(); });
        });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void OctetBox::mouseReleaseEvent(QMouseEvent* event) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        receive(clipboard->text(QClipboard::Selection),
                [this, event] { QLineEdit::mouseReleaseEvent(event); });
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void OctetBox::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    // A taken address is copied, never moved: the boxes are rewritten, and a
    // move would then cut the dragged digits out of the new text.
    const auto dropAsUsual = [this, event] { QLineEdit::dropEvent(event); };
    if (receive(event->mimeData()->text(), dropAsUsual)) {
        QDragLeaveEvent leave;
        QLineEdit::dragLeaveEvent(&leave); // hides the drop cursor
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void OctetBox::selectDigits() {
    setSelection(0, static_cast<int>(text().trimmed().size()));
}

} // namespace quellan
