// A long session of random user input against the real window. From a fixed
// seed it sends thousands of key presses, clicks and pastes, and after each one
// checks that the window is still whole: the focus on a control that takes it,
// boxes of at most three digits, and every field what the calculation makes of
// the boxes and the slider as they stand. A failure names the seed and the
// events that led to it; QUELLAN_SESSION_SEED and QUELLAN_SESSION_EVENTS
// replay or lengthen a session.

#include "calculator/recalculation.h"
#include "window_test_support.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>

#include <deque>
#include <random>

using quellan::test::WindowFixture;

namespace {

const QStringList kFocusable = {"txtOct1", "txtOct2", "txtOct3", "txtOct4", "Slider1", "Command1"};
const QStringList kClipboardTexts = {"192.168.1.10",
                                     "-5",
                                     " 7 ",
                                     "1234",
                                     "abc",
                                     "255",
                                     "",
                                     "0",
                                     "٣",
                                     "12a",
                                     "9 9",
                                     "10.0.0.1/12",
                                     "224.1.1.1/24",
                                     "10.256.0.1/0",
                                     "1.2.3.4 255.0.255.0",
                                     "1.2.3.4 0.0.0.255"};

unsigned environmentNumber(const char* name, unsigned fallback) {
    bool ok = false;
    const unsigned value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

} // namespace

class RandomSessionTest : public QObject {
    Q_OBJECT

    WindowFixture fixture_;
    std::mt19937 random_;
    std::deque<QString> recent_;

    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    QLineEdit* box(int index) {
        return fixture_.find<QLineEdit>(QString("txtOct%1").arg(index + 1));
    }

    QWidget* focus() {
        QWidget* widget = QApplication::focusWidget();
        return widget ? widget : &fixture_.window();
    }

    // Sends one random event and says what it was.
    QString sendEvent() {
        const int kind = pick(100);
        if (kind < 40) {
            const char digit = static_cast<char>('0' + pick(10));
            QTest::keyClick(focus(), digit);
            return QString("digit %1").arg(digit);
        }
        if (kind < 48) {
            // Refused by a box, or moving through an address: ".", "/" and " ".
            const char key = "a -.x/"[pick(6)];
            QTest::keyClick(focus(), key);
            return QString("key '%1'").arg(key);
        }
        if (kind < 54) {
            const bool back = pick(2) == 0;
            QTest::keyClick(focus(), back ? Qt::Key_Backspace : Qt::Key_Delete);
            return back ? "Backspace" : "Delete";
        }
        if (kind < 64) {
            const bool back = pick(2) == 0;
            QTest::keyClick(focus(), Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
            return back ? "Shift+Tab" : "Tab";
        }
        if (kind < 72) {
            QLineEdit* target = box(pick(4));
            const QPoint at(pick(target->width()), pick(target->height()));
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
            return QString("click into %1").arg(target->objectName());
        }
        if (kind < 82) {
            static const Qt::Key keys[] = {Qt::Key_Left,     Qt::Key_Right, Qt::Key_PageUp,
                                           Qt::Key_PageDown, Qt::Key_Home,  Qt::Key_End};
            const Qt::Key key = keys[pick(6)];
            QTest::keyClick(focus(), key);
            return QString("key %1").arg(QKeySequence(key).toString());
        }
        if (kind < 88) {
            QSlider* slider = fixture_.slider();
            const QPoint at(pick(slider->width()), slider->height() / 2);
            QTest::mouseClick(slider, Qt::LeftButton, {}, at);
            return QString("click on the slider at x %1").arg(at.x());
        }
        if (kind < 90) {
            // The click is animated: it lands about 100 ms after the key.
            QSignalSpy clicked(fixture_.find<QPushButton>("Command1"), &QPushButton::clicked);
            QTest::keyClick(focus(), Qt::Key_S, Qt::AltModifier);
            clicked.wait(1000);
            return "Alt+S";
        }
        const QString& text = kClipboardTexts[pick(static_cast<int>(kClipboardTexts.size()))];
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(focus(), Qt::Key_V, Qt::ControlModifier);
        return QString("paste \"%1\"").arg(text);
    }

    // Empty when the window is whole, else what is wrong.
    QString brokenInvariant() {
        const QString focusName = fixture_.focusName();
        if (!kFocusable.contains(focusName))
            return QString("the focus is on \"%1\"").arg(focusName);

        static const QRegularExpression octet("^[0-9]{0,3}$");
        quellan::WindowState expected;
        for (int i = 0; i < 4; ++i) {
            const QString text = box(i)->text();
            if (!octet.match(text).hasMatch())
                return QString("%1 holds \"%2\"").arg(box(i)->objectName(), text);
            expected.octets[static_cast<std::size_t>(i)] = text.toStdString();
        }

        // Until the first change the fields keep their start-up texts.
        if (fixture_.labelText("lblNetNumber").isEmpty())
            return {};
        QSlider* slider = fixture_.slider();
        expected.sliderValue = slider->value();
        quellan::Dumbo(expected);
        for (const auto& field : quellan::kDisplayFields) {
            const QString name = QString::fromUtf8(field.name);
            const QString shown = fixture_.labelText(name);
            const QString computed = QString::fromStdString(expected.*field.text);
            if (shown != computed)
                return QString("%1 shows \"%2\", not \"%3\"").arg(name, shown, computed);
        }
        if (slider->value() != expected.sliderValue ||
            slider->isEnabled() != expected.sliderEnabled)
            return QString("the slider stands at %1, %2")
                .arg(slider->value())
                .arg(slider->isEnabled());
        if (slider->toolTip() != QString::fromStdString(expected.sliderToolTip))
            return QString("the slider's tool-tip is \"%1\"").arg(slider->toolTip());
        return {};
    }

private slots:
    void init() { QVERIFY(fixture_.open()); }
    void cleanup() { fixture_.close(); }

    void thousandsOfEventsKeepTheWindowWhole() {
        const unsigned seed = environmentNumber("QUELLAN_SESSION_SEED", 20261207);
        const unsigned events = environmentNumber("QUELLAN_SESSION_EVENTS", 3000);
        random_.seed(seed);
        for (unsigned n = 1; n <= events; ++n) {
            recent_.push_back(sendEvent());
            if (recent_.size() > 12)
                recent_.pop_front();
            // Selections and refused-box focus moves come from the event loop.
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();

            const QString broken = brokenInvariant();
            if (!broken.isEmpty()) {
                QStringList story(recent_.begin(), recent_.end());
                QFAIL(qPrintable(QString("seed %1, event %2: %3\nlast events: %4")
                                     .arg(seed)
                                     .arg(n)
                                     .arg(broken, story.join(", "))));
            }
        }
    }
};

QUELLAN_WINDOW_TEST_MAIN(RandomSessionTest)
#include "random_session_test.moc"
