#pragma once

#include <QLineEdit>

#include <functional>

namespace quellan {

// One octet of the address: up to three optional digits, "_" marking the
// empty places. On entry it selects its digits so that the next digit typed
// replaces them; it reports focus loss so the window can check the value.
//
// Text arriving whole (Ctrl+V, Shift+Insert, the context menu's Paste, the
// X11 selection by middle click, or a drop) is first offered to the window,
// which takes it when it is a whole address; otherwise the box takes the
// digits that fit, as a masked box does, and says when that was not all.
class OctetBox : public QLineEdit {
    Q_OBJECT

public:
    explicit OctetBox(QWidget* parent = nullptr);

    // Returns whether it took the text as a whole address.
    using AddressTaker = std::function<bool(const QString& text)>;
    void setAddressTaker(AddressTaker taker) { takeAddress_ = std::move(taker); }

    void selectDigits();

signals:
    void focusLost(Qt::FocusReason reason);
    // ".", "/" or a blank, which no box holds but which move through an address.
    void separatorTyped(QChar separator);
    // A text that is no address arrived and the box could not hold all of it.
    void textPartlyTaken(bool anythingTaken);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Offers the text to the window, or else inserts it as a masked box does.
    // Returns whether the window took it.
    bool receive(const QString& text, const std::function<void()>& insertAsUsual);
    void asciiDigitsOnly();

    AddressTaker takeAddress_;
};

} // namespace quellan
