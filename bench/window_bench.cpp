// Keystroke to screen: one digit typed into an octet box, or one step of the
// slider, through the recalculation to every field repainted. Each iteration
// sends the key, lets the window process the events it caused (the repaint
// among them) and then takes the window's pixels.
//
//   build/release/bench/quellan_window_bench -median 15
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another. Not a
// test: nothing here fails for being slow.

#include "quellan.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QSlider>
#include <QTest>

#include <array>
#include <memory>
#include <utility>

// How the pixels are taken. Screen: what the platform's screen holds for the
// window, the repaint as flushed. Grab: QWidget::grab(), which renders the
// whole window once more on top of the repaint.
enum class Capture { Screen, Grab };

class WindowBench : public QObject {
    Q_OBJECT

    std::unique_ptr<quellan::Quellan> window_;

    template <typename Widget> Widget* find(const char* name) {
        return window_->findChild<Widget*>(QString::fromLatin1(name));
    }

    // The user's view after the keystroke: the events it caused processed,
    // the repaint among them, then the window's pixels taken.
    void showKeystroke(Capture capture) {
        QCoreApplication::processEvents();
        const QPixmap pixels = capture == Capture::Screen
                                   ? window_->screen()->grabWindow(window_->winId())
                                   : window_->grab();
        QVERIFY(!pixels.isNull());
    }

    // After the keystrokes, the screen shows what a full render of the window
    // gives: the repaint left no field behind.
    void verifyScreenUpToDate() {
        const QImage screen = window_->screen()->grabWindow(window_->winId()).toImage();
        const QImage rendered = window_->grab().toImage();
        QCOMPARE(screen.convertToFormat(rendered.format()), rendered);
    }

    static void addCaptureRows() {
        QTest::addColumn<Capture>("capture");
        QTest::newRow("screen") << Capture::Screen;
        QTest::newRow("grab") << Capture::Grab;
    }

private slots:
    void init() {
        window_ = std::make_unique<quellan::Quellan>();
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        const std::array<std::pair<const char*, const char*>, 4> address{
            {{"txtOct1", "192"}, {"txtOct2", "168"}, {"txtOct3", "1"}, {"txtOct4", "10"}}};
        for (const auto& [box, digits] : address) {
            find<QLineEdit>(box)->setFocus();
            QTest::keyClicks(find<QLineEdit>(box), digits);
        }
        QCoreApplication::processEvents();
    }
    void cleanup() { window_.reset(); }

    // The last box's digits are selected and the digit typed replaces them:
    // 192.168.1.1 and 192.168.1.2 in turn, so every address field changes.
    void digitTyped_data() { addCaptureRows(); }
    void digitTyped() {
        QFETCH(Capture, capture);
        auto* box = find<QLineEdit>("txtOct4");
        const QLabel* decimal = find<QLabel>("lbl32Decimal");
        char digit = '1';
        QBENCHMARK {
            digit = digit == '1' ? '2' : '1';
            box->selectAll();
            QTest::keyClick(box, digit);
            showKeystroke(capture);
        }
        QCOMPARE(box->text(), QString(QChar::fromLatin1(digit)));
        QCOMPARE(decimal->text(), QString::number(0xC0A80100U + digit - '0'));
        verifyScreenUpToDate();
    }

    // Right and left in turn between 24 and 25 bits: the mask and network
    // fields change.
    void sliderStep_data() { addCaptureRows(); }
    void sliderStep() {
        QFETCH(Capture, capture);
        auto* slider = find<QSlider>("Slider1");
        const QLabel* bits = find<QLabel>("lblBits");
        // Tab from the last box, as a user reaches the slider.
        QTest::keyClick(find<QLineEdit>("txtOct4"), Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), slider);
        QCOMPARE(slider->value(), 24);
        Qt::Key key = Qt::Key_Left;
        QBENCHMARK {
            key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
            QTest::keyClick(slider, key);
            showKeystroke(capture);
        }
        const int expected = key == Qt::Key_Right ? 25 : 24;
        QCOMPARE(slider->value(), expected);
        QCOMPARE(bits->text(), QString(" %1").arg(expected));
        verifyScreenUpToDate();
    }
};

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    WindowBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "window_bench.moc"
