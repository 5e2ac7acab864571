// The slider and the default-mask button: only the user's moves recalculate,
// the class default comes back on an octet change or on "Set default mask",
// and classes D and E park the slider at 0.

#include "window_test_support.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSlider>

using quellan::test::WindowFixture;

namespace {

enum Trigger { ClickButton, AltSFromBox, AltSFromSlider, SpaceOnButton };

} // namespace

class SliderTest : public QObject {
    Q_OBJECT

    WindowFixture fixture_;

    QLineEdit* box(int number) { return fixture_.find<QLineEdit>(QString("txtOct%1").arg(number)); }

    void focusSlider() {
        fixture_.slider()->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(fixture_.focusName(), "Slider1");
    }

    void pressKeys(QWidget* target, const QList<int>& keys) {
        for (int key : keys)
            QTest::keyClick(target, Qt::Key(key));
    }

    // The mask fields follow the slider's position.
    void compareMaskBits(int bits) {
        QCOMPARE(fixture_.slider()->value(), bits);
        QCOMPARE(fixture_.labelText("lblBits"), QString(" %1").arg(bits));
        QCOMPARE(fixture_.slider()->toolTip(), QString(" %1 bits in mask.").arg(bits));
    }

    QPoint handleCentre() {
        QSlider* slider = fixture_.slider();
        QStyleOptionSlider option;
        option.initFrom(slider);
        option.orientation = slider->orientation();
        option.minimum = slider->minimum();
        option.maximum = slider->maximum();
        option.sliderPosition = slider->sliderPosition();
        option.sliderValue = slider->value();
        option.tickPosition = slider->tickPosition();
        option.tickInterval = slider->tickInterval();
        option.pageStep = slider->pageStep();
        option.singleStep = slider->singleStep();
        option.subControls = QStyle::SC_All;
        return slider->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
            .center();
    }

private slots:
    void init() { QVERIFY(fixture_.open()); }
    void cleanup() { fixture_.close(); }

    void keysStepAndStop_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("bits");

        QTest::newRow("right") << QList<int>{Qt::Key_Right} << 9;
        QTest::newRow("left") << QList<int>{Qt::Key_Left} << 7;
        QTest::newRow("page up") << QList<int>{Qt::Key_PageUp} << 13;
        QTest::newRow("page down") << QList<int>{Qt::Key_PageDown} << 3;
        QTest::newRow("stops at 1")
            << QList<int>{Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_Left, Qt::Key_Home} << 1;
        QTest::newRow("stops at 32") << QList<int>(7, Qt::Key_PageUp) << 32;
        QTest::newRow("end") << QList<int>{Qt::Key_End, Qt::Key_Right} << 32;
    }

    void keysStepAndStop() {
        QFETCH(QList<int>, keys);
        QFETCH(int, bits);
        QTest::keyClicks(box(1), "10");
        focusSlider();
        compareMaskBits(8);

        pressKeys(fixture_.slider(), keys);

        compareMaskBits(bits);
        QCOMPARE(fixture_.labelText("lblClass"), "A");
        QCOMPARE(fixture_.statusText(), "");
    }

    void dragFollowsThumb_data() {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("bits");
        QTest::newRow("to the right end") << 1 << 32;
        QTest::newRow("to the left end") << -1 << 1;
    }

    void dragFollowsThumb() {
        QFETCH(int, direction);
        QFETCH(int, bits);
        QTest::keyClicks(box(1), "192");
        QSlider* slider = fixture_.slider();
        const QPoint start = handleCentre();

        QTest::mousePress(slider, Qt::LeftButton, {}, start);
        for (int step = 1; step <= 20; ++step)
            QTest::mouseMove(slider, start + QPoint(direction * step * 20, 0));
        // Still held: the fields already show the thumb's position.
        compareMaskBits(bits);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, start + QPoint(direction * 400, 0));
        compareMaskBits(bits);
    }

    void octetChangeRestoresClassDefault() {
        QTest::keyClicks(box(1), "10");
        focusSlider();
        pressKeys(fixture_.slider(), {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right});
        compareMaskBits(12);

        // Moving through the boxes changes no octet, so the user's mask stands.
        QTest::keyClick(fixture_.slider(), Qt::Key_Tab, Qt::ShiftModifier);
        QTest::keyClick(box(4), Qt::Key_Tab, Qt::ShiftModifier);
        QTRY_COMPARE(fixture_.focusName(), "txtOct3");
        compareMaskBits(12);

        QTest::keyClick(box(3), '5');
        compareMaskBits(8);
    }

    void defaultMaskRestoresClassDefault_data() {
        QTest::addColumn<QString>("octet");
        QTest::addColumn<int>("trigger");
        QTest::addColumn<int>("bits");

        QTest::newRow("click, class B") << "172" << int(ClickButton) << 16;
        QTest::newRow("Alt+S from a box, class C") << "192" << int(AltSFromBox) << 24;
        QTest::newRow("Alt+S from the slider, class A") << "10" << int(AltSFromSlider) << 8;
        QTest::newRow("Space on the button, class B") << "191" << int(SpaceOnButton) << 16;
    }

    void defaultMaskRestoresClassDefault() {
        QFETCH(QString, octet);
        QFETCH(int, trigger);
        QFETCH(int, bits);
        QTest::keyClicks(box(1), octet);
        focusSlider();
        pressKeys(fixture_.slider(), {Qt::Key_PageUp, Qt::Key_Left});
        compareMaskBits(bits + 4);

        auto* button = fixture_.find<QPushButton>("Command1");
        switch (trigger) {
        case ClickButton:
            QTest::mouseClick(button, Qt::LeftButton);
            break;
        case AltSFromBox:
            box(2)->setFocus(Qt::MouseFocusReason);
            QTRY_COMPARE(fixture_.focusName(), "txtOct2");
            QTest::keyClick(box(2), Qt::Key_S, Qt::AltModifier);
            break;
        case AltSFromSlider:
            QTest::keyClick(fixture_.slider(), Qt::Key_S, Qt::AltModifier);
            break;
        case SpaceOnButton:
            QTest::keyClick(fixture_.slider(), Qt::Key_Tab);
            QTRY_COMPARE(fixture_.focusName(), "Command1");
            QTest::keyClick(button, Qt::Key_Space);
            break;
        }

        QTRY_COMPARE(fixture_.slider()->value(), bits);
        compareMaskBits(bits);
    }

    void classDParksSliderAtZero() {
        QSlider* slider = fixture_.slider();
        QTest::keyClicks(box(1), "224");
        compareMaskBits(0);
        QVERIFY(!slider->isEnabled());
        QCOMPARE(slider->sliderPosition(), slider->minimum());
        QCOMPARE(fixture_.labelText("lblNetMask"), "0.0.0.0");

        // A refusal message shows whether the button recalculates: the
        // recalculation clears it. It goes to 8 (class A, typed on the way to
        // "224") and back to 0.
        QTest::keyClick(box(1), Qt::Key_Tab);
        QTest::keyClicks(box(2), "255");
        QTest::keyClick(box(2), Qt::Key_Tab);
        QTRY_COMPARE(fixture_.focusName(), "txtOct2");
        QCOMPARE(fixture_.statusText(), "255 represents a broadcast address.");
        QTest::keyClick(box(2), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(fixture_.statusText(), "");
        compareMaskBits(0);
        QVERIFY(!slider->isEnabled());

        // Back to class A: the slider takes the class default and 1 is its end again.
        QCOMPARE(box(2)->selectedText(), "255");
        QTest::keyClicks(box(2), "1");
        QTest::keyClick(box(2), Qt::Key_Tab, Qt::ShiftModifier);
        QTRY_COMPARE(box(1)->selectedText(), "224");
        QTest::keyClick(box(1), '1');
        compareMaskBits(8);
        QVERIFY(slider->isEnabled());
        focusSlider();
        QTest::keyClick(slider, Qt::Key_Home);
        compareMaskBits(1);
    }
};

QUELLAN_WINDOW_TEST_MAIN(SliderTest)
#include "slider_test.moc"
