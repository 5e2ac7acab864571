#pragma once

#include <QLineEdit>

namespace quellan {

// One octet of the address: up to three optional digits, "_" marking the
// empty places. On entry it selects its digits so that the next digit typed
// replaces them; it reports focus loss so the window can check the value.
class OctetBox : public QLineEdit {
    Q_OBJECT

public:
    explicit OctetBox(QWidget* parent = nullptr);

signals:
    void focusLost(Qt::FocusReason reason);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void selectDigits();
    void asciiDigitsOnly();
};

} // namespace quellan
