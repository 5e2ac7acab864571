// The keyboard focus: tab order, digits selected on entry, and the range
// check that keeps the focus in a refused box, once, without ping-pong.

#include "window_test_support.h"

#include <QLineEdit>

using quellan::test::WindowFixture;

namespace {

const QString kBroadcast = "255 represents a broadcast address.";
const QString kTooLarge = "Value is larger than 254.";

enum Leave { ByTab, ByBacktab, ByClick };

// Counts how often a widget gains the focus.
class FocusInCounter : public QObject {
public:
    explicit FocusInCounter(QWidget* watched) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            ++count;
        return false;
    }
};

} // namespace

class FocusTest : public QObject {
    Q_OBJECT

    WindowFixture fixture_;

    QLineEdit* box(int number) { return fixture_.find<QLineEdit>(QString("txtOct%1").arg(number)); }

    void enter(QLineEdit* target) {
        target->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(fixture_.focusName(), target->objectName());
    }

    void leave(QLineEdit* from, int how, QLineEdit* clickTarget) {
        switch (how) {
        case ByTab:
            QTest::keyClick(from, Qt::Key_Tab);
            break;
        case ByBacktab:
            QTest::keyClick(from, Qt::Key_Tab, Qt::ShiftModifier);
            break;
        case ByClick:
            QTest::mouseClick(clickTarget, Qt::LeftButton, {}, clickTarget->rect().center());
            break;
        }
    }

private slots:
    void init() { QVERIFY(fixture_.open()); }
    void cleanup() { fixture_.close(); }

    void tabOrder_data() {
        QTest::addColumn<bool>("backwards");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Tab") << false << QStringList{"txtOct2", "txtOct3",  "txtOct4",
                                                     "Slider1", "Command1", "txtOct1"};
        QTest::newRow("Shift+Tab") << true << QStringList{"Command1", "Slider1", "txtOct4",
                                                          "txtOct3",  "txtOct2", "txtOct1"};
    }

    void tabOrder() {
        QFETCH(bool, backwards);
        QFETCH(QStringList, order);
        QCOMPARE(fixture_.focusName(), "txtOct1");
        for (const QString& next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
            QTRY_COMPARE(fixture_.focusName(), next);
        }
    }

    // "at once": the digit comes before anything the box put off till later
    // is handled, as a fast typist's or a loaded machine's can.
    void entrySelectsDigits_data() {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("atOnce");
        QTest::newRow("Tab") << int(ByTab) << false;
        QTest::newRow("Shift+Tab") << int(ByBacktab) << false;
        QTest::newRow("click") << int(ByClick) << false;
        QTest::newRow("Tab, typed at once") << int(ByTab) << true;
        QTest::newRow("Shift+Tab, typed at once") << int(ByBacktab) << true;
    }

    void entrySelectsDigits() {
        QFETCH(int, how);
        QFETCH(bool, atOnce);
        enter(box(2));
        QTest::keyClicks(box(2), "42");
        QCOMPARE(box(2)->selectedText(), "");
        QLineEdit* from = how == ByBacktab ? box(3) : box(1);
        enter(from);

        leave(from, how, box(2));

        if (!atOnce) {
            QTRY_COMPARE(fixture_.focusName(), "txtOct2");
            QTRY_COMPARE(box(2)->selectedText(), "42");
        }
        QTest::keyClick(box(2), '7');
        QCOMPARE(box(2)->text(), "7");
    }

    void rangeCheckOnLeaving_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("how");
        QTest::addColumn<QString>("message");

        QTest::newRow("255, Tab") << "255" << int(ByTab) << kBroadcast;
        QTest::newRow("256, Shift+Tab") << "256" << int(ByBacktab) << kTooLarge;
        QTest::newRow("999, click") << "999" << int(ByClick) << kTooLarge;
        QTest::newRow("254, Tab: accepted") << "254" << int(ByTab) << "";
        QTest::newRow("0, click: accepted") << "0" << int(ByClick) << "";
        QTest::newRow("empty, Tab: accepted") << "" << int(ByTab) << "Enter an IP address above.";
    }

    void rangeCheckOnLeaving() {
        QFETCH(QString, value);
        QFETCH(int, how);
        QFETCH(QString, message);
        enter(box(2));
        QTest::keyClicks(box(2), value);

        leave(box(2), how, box(4));

        QCOMPARE(fixture_.statusText(), message);
        const bool refused = value.toInt() >= 255;
        if (!refused) {
            const char* next[] = {"txtOct3", "txtOct1", "txtOct4"};
            QTRY_COMPARE(fixture_.focusName(), next[how]);
            return;
        }
        QTRY_COMPARE(fixture_.focusName(), "txtOct2");
        QTRY_COMPARE(box(2)->selectedText(), value);
        // The reason stays until the next recalculation.
        QTest::keyClick(box(2), '1');
        QCOMPARE(box(2)->text(), "1");
        QCOMPARE(fixture_.statusText(), "");
    }

    // Checking the box the focus goes to as well would make two refused boxes
    // take the focus from each other for ever.
    void twoRefusedBoxesSettle_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("leftValue");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("other");
        QTest::addColumn<QString>("otherValue");
        QTest::addColumn<int>("how");

        QTest::newRow("Tab") << 2 << "255" << kBroadcast << 3 << "256" << int(ByTab);
        QTest::newRow("Shift+Tab") << 3 << "256" << kTooLarge << 2 << "255" << int(ByBacktab);
        QTest::newRow("click") << 1 << "999" << kTooLarge << 4 << "255" << int(ByClick);
    }

    void twoRefusedBoxesSettle() {
        QFETCH(int, left);
        QFETCH(QString, leftValue);
        QFETCH(QString, message);
        QFETCH(int, other);
        QFETCH(QString, otherValue);
        QFETCH(int, how);
        // The boxes hold only what the check let pass, so the second refused
        // value is put there directly.
        box(other)->setText(otherValue);
        enter(box(left));
        QTest::keyClicks(box(left), leftValue);
        FocusInCounter leftFocus(box(left));
        FocusInCounter otherFocus(box(other));

        leave(box(left), how, box(other));

        QTRY_COMPARE(fixture_.focusName(), box(left)->objectName());
        QTest::qWait(100);
        QCOMPARE(fixture_.focusName(), box(left)->objectName());
        QCOMPARE(leftFocus.count, 1);
        QCOMPARE(otherFocus.count, 1);
        QCOMPARE(fixture_.statusText(), message);
        QCOMPARE(box(left)->selectedText(), leftValue);
    }

    // Another window taking the focus is not the user leaving the box.
    void switchingWindowsChecksNothing() {
        enter(box(2));
        QTest::keyClicks(box(2), "255");
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(fixture_.statusText(), "");

        fixture_.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fixture_.window()));
        QTRY_COMPARE(fixture_.focusName(), "txtOct2");
        QCOMPARE(fixture_.statusText(), "");
    }
};

QUELLAN_WINDOW_TEST_MAIN(FocusTest)
#include "focus_test.moc"
