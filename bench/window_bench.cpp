// Keystroke to screen: one digit typed into an octet box, or one step of the
// slider, through the recalculation to every field repainted. Each iteration
// sends the key, lets the window process the events it caused (the repaint
// among them) and then takes the window's pixels. The "list open" rows do the
// same with the subnet list open beside the window, refilled by each key;
// sliderStepClassA steps the slider between 2097152 and 4194304 subnets, and
// openClassAList times opening such a list, filled and on screen, and
// exportClassA writing all 4194304 rows of the class A /30 to a CSV file.
//
//   build/release/bench/quellan_window_bench -median 15
//
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another. Not a
// test: nothing here fails for being slow.

#include "calculator/recalculation.h"
#include "quellan.h"
#include "subnet_export.h"
#include "subnet_table.h"
#include "subnet_window.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
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
        if (screen.convertToFormat(rendered.format()) != rendered) {
            screen.save("/tmp/x/screen.png");
            rendered.save("/tmp/x/rendered.png");
            qDebug() << screen.size() << rendered.size() << window_->winId() << window_->geometry();
        }
        QCOMPARE(screen.convertToFormat(rendered.format()), rendered);
    }

    static void addCaptureRows() {
        QTest::addColumn<Capture>("capture");
        QTest::addColumn<bool>("listOpen");
        QTest::newRow("screen") << Capture::Screen << false;
        QTest::newRow("grab") << Capture::Grab << false;
        QTest::newRow("screen, list open") << Capture::Screen << true;
        QTest::newRow("grab, list open") << Capture::Grab << true;
    }

    quellan::SubnetWindow* subnets() { return window_->findChild<quellan::SubnetWindow*>(); }

    // Ctrl+L, then back to the main window as a user clicks it, the focus
    // where it was.
    void openList() {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus, Qt::Key_L, Qt::ControlModifier);
        QVERIFY(subnets() != nullptr && subnets()->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(subnets()));
        window_->activateWindow();
        QTRY_VERIFY(window_->isActiveWindow());
        focus->setFocus();
    }

    int listedRows() { return subnets()->findChild<quellan::SubnetTable*>()->rowCount(); }

    // Types "10.1.2.3" over the address and the given length on the slider.
    void typeClassA(const char* bits) {
        const std::array<std::pair<const char*, const char*>, 4> address{
            {{"txtOct1", "10"}, {"txtOct2", "1"}, {"txtOct3", "2"}, {"txtOct4", "3"}}};
        for (const auto& [box, digits] : address) {
            find<QLineEdit>(box)->setFocus();
            find<QLineEdit>(box)->selectAll();
            QTest::keyClicks(find<QLineEdit>(box), digits);
        }
        QTest::keyClick(find<QLineEdit>("txtOct4"), Qt::Key_Tab);
        QTest::keyClicks(find<QSlider>("Slider1"), bits);
        QCoreApplication::processEvents();
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
        QFETCH(bool, listOpen);
        if (listOpen)
            openList();
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
        if (listOpen)
            QCOMPARE(listedRows(), 1);
        verifyScreenUpToDate();
    }

    // Right and left in turn between 24 and 25 bits: the mask and network
    // fields change.
    void sliderStep_data() { addCaptureRows(); }
    void sliderStep() {
        QFETCH(Capture, capture);
        QFETCH(bool, listOpen);
        auto* slider = find<QSlider>("Slider1");
        const QLabel* bits = find<QLabel>("lblBits");
        // Tab from the last box, as a user reaches the slider.
        QTest::keyClick(find<QLineEdit>("txtOct4"), Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), slider);
        QCOMPARE(slider->value(), 24);
        if (listOpen)
            openList();
        Qt::Key key = Qt::Key_Left;
        QBENCHMARK {
            key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
            QTest::keyClick(slider, key);
            showKeystroke(capture);
        }
        const int expected = key == Qt::Key_Right ? 25 : 24;
        QCOMPARE(slider->value(), expected);
        QCOMPARE(bits->text(), QString(" %1").arg(expected));
        if (listOpen)
            QCOMPARE(listedRows(), expected == 25 ? 2 : 1);
        verifyScreenUpToDate();
    }

    // 10.1.2.3 between /29 and /30, the list open: every step refills it
    // with millions of rows.
    void sliderStepClassA() {
        typeClassA("30");
        auto* slider = find<QSlider>("Slider1");
        QCOMPARE(slider->value(), 30);
        openList();
        Qt::Key key = Qt::Key_Right;
        QBENCHMARK {
            key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
            QTest::keyClick(slider, key);
            showKeystroke(Capture::Screen);
        }
        QCOMPARE(listedRows(), key == Qt::Key_Right ? 4194304 : 2097152);
        verifyScreenUpToDate();
    }

    // Opening the list with 10.1.2.3 at /30 and /29 in turn: the list filled anew with
    // 4194304 or 2097152 rows and painted, then closed, and the slider
    // stepped while it is closed, so that the next Ctrl+L fills it again.
    void openClassAList() {
        typeClassA("30");
        auto* slider = find<QSlider>("Slider1");
        // Its action rather than Ctrl+L: the main window is not active again
        // until the event loop has run after the list closed.
        const QList<QAction*> actions = window_->actions();
        const auto open = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
            return action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_L);
        });
        QVERIFY(open != actions.end());
        Qt::Key key = Qt::Key_Right;
        QBENCHMARK {
            (*open)->trigger();
            QCoreApplication::processEvents();
            const QRect area = subnets()->geometry();
            const QPixmap pixels =
                subnets()->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
            QVERIFY(!pixels.isNull());
            subnets()->close();
            key = key == Qt::Key_Right ? Qt::Key_Left : Qt::Key_Right;
            QTest::keyClick(slider, key);
        }
        QCOMPARE(listedRows(), key == Qt::Key_Right ? 2097152 : 4194304);
    }

    // The whole list written through QSaveFile into the temporary directory.
    void exportClassA() {
        quellan::WindowState state;
        state.octets = {"10", "1", "2", "3"};
        state.sliderValue = 30;
        quellan::Dumbo(state);
        const quellan::SubnetList list = quellan::subnetListOf(state);
        QCOMPARE(list.rows, 4194304U);
        const QTemporaryDir directory;
        const QString path = directory.filePath("class-a.csv");
        QBENCHMARK {
            QCOMPARE(quellan::writeSubnetCsv(path, list), QString());
        }
        qInfo("%lld bytes written", QFileInfo(path).size());
    }
};

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The list's place is stored when it closes; not in the user's settings.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    WindowBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "window_bench.moc"
