// Whole addresses: pasted or dropped into any box by every route a desktop
// offers, typed straight through with "." and "/", and mask lengths typed on
// the slider.

#include "window_test_support.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include <algorithm>

using quellan::test::WindowFixture;

namespace {

enum Route { CtrlV, ShiftInsert, ContextMenu, MiddleClick, Drop };

} // namespace

class AddressEntryTest : public QObject {
    Q_OBJECT

    WindowFixture fixture_;

    QLineEdit* box(int number) { return fixture_.find<QLineEdit>(QString("txtOct%1").arg(number)); }

    QString boxes() {
        QStringList texts;
        for (int n = 1; n <= 4; ++n)
            texts << box(n)->text();
        return texts.join('.');
    }

    // One key at a time, the event loop running in between as it does for a
    // person typing: deferred selections and focus moves land before the next key.
    void typeKeys(const QString& keys) {
        QCoreApplication::processEvents();
        for (const QChar key : keys) {
            if (key == u'|') {
                QTest::qWait(1100);
                continue;
            }
            QTest::keyClick(QApplication::focusWidget(), key.toLatin1());
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        }
    }

    void deliver(Route route, QLineEdit* target, const QString& text) {
        switch (route) {
        case CtrlV:
        case ShiftInsert:
        case ContextMenu:
            QGuiApplication::clipboard()->setText(text);
            break;
        case MiddleClick:
            QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
            break;
        case Drop:
            break;
        }
        switch (route) {
        case CtrlV:
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
            break;
        case ShiftInsert:
            QTest::keyClick(target, Qt::Key_Insert, Qt::ShiftModifier);
            break;
        case ContextMenu: {
            QContextMenuEvent open(QContextMenuEvent::Mouse, target->rect().center(),
                                   target->mapToGlobal(target->rect().center()));
            QApplication::sendEvent(target, &open);
            QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            const QList<QAction*> actions = menu->actions();
            const auto paste = std::find_if(actions.begin(), actions.end(), [](QAction* action) {
                return action->text().startsWith("&Paste");
            });
            QVERIFY(paste != actions.end());
            menu->close();
            (*paste)->trigger();
            // The offscreen platform leaves the window inactive after a popup.
            target->window()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(target->window()));
            break;
        }
        case MiddleClick:
            QTest::mouseClick(target, Qt::MiddleButton, {}, target->rect().center());
            break;
        case Drop: {
            QMimeData mime;
            mime.setText(text);
            const QPoint at = target->rect().center();
            const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
            // Qt hands a drop only to the widget that took the drag's entry.
            QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            QDropEvent drop(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &drop);
            break;
        }
        }
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

private slots:
    void init() { QVERIFY(fixture_.open()); }
    void cleanup() { fixture_.close(); }

    void pastedAddress_data() {
        QTest::addColumn<int>("route");
        QTest::addColumn<int>("into");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<int>("slider");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("refused");

        QTest::newRow("Ctrl+V, /26, box 1") << int(CtrlV) << 1 << "192.168.1.10/26"
                                            << "192.168.1.10" << 26 << ""
                                            << "txtOct1" << false;
        QTest::newRow("Shift+Insert, dotted mask, box 3")
            << int(ShiftInsert) << 3 << "172.16.5.4 255.255.240.0"
            << "172.16.5.4" << 20 << ""
            << "txtOct3" << false;
        QTest::newRow("context menu, wildcard, box 4")
            << int(ContextMenu) << 4 << "10.1.2.3 0.0.0.255"
            << "10.1.2.3" << 24 << ""
            << "txtOct4" << false;
        QTest::newRow("middle click, line from a terminal, box 2")
            << int(MiddleClick) << 2 << "\t10.0.0.1\n"
            << "10.0.0.1" << 8 << ""
            << "txtOct2" << false;
        QTest::newRow("drop, / with blanks, box 1") << int(Drop) << 1 << "192.168.1.10 / 30"
                                                    << "192.168.1.10" << 30 << ""
                                                    << "txtOct1" << false;
        QTest::newRow("second octet refused") << int(CtrlV) << 4 << "10.256.0.1/16"
                                              << "10.256.0.1" << 16 << "Value is larger than 254."
                                              << "txtOct2" << true;
        QTest::newRow("receiving box refused")
            << int(CtrlV) << 1 << "255.1.1.1"
            << "255.1.1.1" << 0 << "255 represents a broadcast address."
            << "txtOct1" << true;
        QTest::newRow("mask refused, address taken")
            << int(CtrlV) << 1 << "192.168.1.10/33"
            << "192.168.1.10" << 24 << "/33 is not a mask length."
            << "txtOct1" << false;
        QTest::newRow("class D, length not applied")
            << int(Drop) << 2 << "224.0.0.5/24"
            << "224.0.0.5" << 0 << "Class D addresses have no mask length; /24 was not applied."
            << "txtOct1" << false;
        QTest::newRow("no address, digits kept")
            << int(CtrlV) << 2 << "192.168.1"
            << ".192.." << 8 << "Not an IPv4 address; only the digits that fit were pasted."
            << "txtOct2" << false;
        QTest::newRow("IPv6 address, nothing taken")
            << int(Drop) << 3 << "2001:db8::1/64"
            << "..." << 1 << "An IPv6 address: the quellan command works it out."
            << "txtOct1" << false;
        QTest::newRow("no address, nothing kept")
            << int(CtrlV) << 2 << "abc"
            << "..." << 1 << "Not an IPv4 address; nothing was pasted."
            << "txtOct2" << false;
    }

    void pastedAddress() {
        QFETCH(int, route);
        QFETCH(int, into);
        QFETCH(QString, text);
        QFETCH(QString, boxes);
        QFETCH(int, slider);
        QFETCH(QString, status);
        QFETCH(QString, focus);
        QFETCH(bool, refused);

        if (Route(route) == MiddleClick && !QGuiApplication::clipboard()->supportsSelection())
            QSKIP("this platform has no X11 selection; the run on an X server covers it");
        // A drop comes from elsewhere and leaves the focus where it was.
        box(Route(route) == Drop ? 1 : into)->setFocus(Qt::OtherFocusReason);
        deliver(Route(route), box(into), text);
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(this->boxes(), boxes);
        QCOMPARE(fixture_.slider()->value(), slider);
        QCOMPARE(fixture_.statusText(), status);
        QTRY_COMPARE(fixture_.focusName(), focus);
        // A refused box is entered as when it keeps the focus: digits selected.
        if (refused) {
            auto* held = fixture_.find<QLineEdit>(focus);
            QTRY_COMPARE(held->selectedText(), held->text());
        }
    }

    void typedStraightThrough_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<int>("slider");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("focus");

        QTest::newRow("with a length") << "10.0.0.1/8"
                                       << "10.0.0.1" << 8 << ""
                                       << "Slider1";
        QTest::newRow("with another length") << "10.0.0.1/12"
                                             << "10.0.0.1" << 12 << ""
                                             << "Slider1";
        QTest::newRow("with a dotted mask") << "172.16.5.4 255.255.240.0"
                                            << "172.16.5.4" << 20 << ""
                                            << "Slider1";
        QTest::newRow("refused octet holds the focus")
            << "300."
            << "300..." << 8 << "Value is larger than 254."
            << "txtOct1";
        QTest::newRow("dot in an empty box") << "."
                                             << "..." << 1 << "Enter an IP address above."
                                             << "txtOct1";
        QTest::newRow("dot in box 4") << "1.2.3.4."
                                      << "1.2.3.4" << 8 << ""
                                      << "txtOct4";
        QTest::newRow("blank before box 4") << "1 2"
                                            << "12..." << 8 << ""
                                            << "txtOct1";
        QTest::newRow("slash with the slider disabled") << "224.1/"
                                                        << "224.1.." << 0 << ""
                                                        << "txtOct2";
        QTest::newRow("slash from an empty box") << "10./9"
                                                 << "10..." << 9 << ""
                                                 << "Slider1";
        QTest::newRow("two lengths with a pause") << "10/2|6"
                                                  << "10..." << 6 << ""
                                                  << "Slider1";
        QTest::newRow("past 32 starts anew") << "10/33"
                                             << "10..." << 3 << ""
                                             << "Slider1";
    }

    void typedStraightThrough() {
        QFETCH(QString, keys);
        QFETCH(QString, boxes);
        QFETCH(int, slider);
        QFETCH(QString, status);
        QFETCH(QString, focus);

        typeKeys(keys);

        QCOMPARE(this->boxes(), boxes);
        QTRY_COMPARE(fixture_.focusName(), focus);
        QCOMPARE(fixture_.slider()->value(), slider);
        if (!boxes.startsWith('.')) // something was typed and recalculated
            QCOMPARE(fixture_.labelText("lblBits"), QString(" %1").arg(slider));
        QCOMPARE(fixture_.statusText(), status);
    }
};

QUELLAN_WINDOW_TEST_MAIN(AddressEntryTest)
#include "address_entry_test.moc"
