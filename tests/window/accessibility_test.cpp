// The window as assistive technology sees it through QAccessible: the name,
// description, role and value of every control, the order they are read in,
// the status bar following each change; and copying results to the clipboard.

#include "window_test_support.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

using quellan::test::chooseFromContextMenu;
using quellan::test::WindowFixture;

namespace {

const QString kBroadcast = "255 represents a broadcast address.";

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// Object names of a container's accessible children, in reading order; the
// dots between the octet boxes are only drawn punctuation and are left out.
QStringList readingOrder(QWidget* container) {
    QStringList names;
    QAccessibleInterface* parent = accessible(container);
    for (int i = 0; i < parent->childCount(); ++i) {
        const QObject* child = parent->child(i)->object();
        if (parent->child(i)->text(QAccessible::Name) != ".")
            names << child->objectName();
    }
    return names;
}

// The entries of every value label's menu.
const QStringList kFieldMenu{"Copy", "Copy all", "Copy as", "Subnets…", "Plan…"};

const QString kAllFields192 = "Decimal IP address: 3232235786\n"
                              "Binary IP address: 11000000.10101000.00000001.00001010\n"
                              "Hexadecimal IP address: C0.A8.1.A\n"
                              "Address Class: C\n"
                              "Number of bits in mask: 24\n"
                              "Classfull Network Mask: 255.255.255.0\n"
                              "Classless Network Mask: 255.255.255.0\n"
                              "Hex Network Mask: FF.FF.FF.0\n"
                              "Binary Network mask: 11111111.11111111.11111111.00000000\n"
                              "Usable address range: 192.168.1.1 - 192.168.1.254\n"
                              "Network Address: 192.168.1.0\n"
                              "Broadcast Address: 192.168.1.255\n"
                              "Max hosts: 254\n"
                              "Max nets: 16777214\n";

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

    WindowFixture fixture_;

    QLineEdit* box(int number) { return fixture_.find<QLineEdit>(QString("txtOct%1").arg(number)); }

    void typeAddress(const QStringList& octets) {
        for (int number = 1; number <= 4; ++number) {
            QTest::keyClicks(box(number), octets[number - 1]);
            if (number < 4)
                QTest::keyClick(box(number), Qt::Key_Tab);
        }
    }

private slots:
    void init() {
        QVERIFY(fixture_.open());
        QGuiApplication::clipboard()->setText("untouched");
    }
    void cleanup() { fixture_.close(); }

    // As the window opens; a field still empty reads as empty, not as the
    // title of its frame.
    void controls_data() {
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");

        auto row = [](const char* control, QAccessible::Role role, const QString& name,
                      const QString& description = {}) {
            QTest::newRow(control) << int(role) << name << description;
        };
        row("txtOct1", QAccessible::EditableText, "IP address, octet 1");
        row("txtOct2", QAccessible::EditableText, "IP address, octet 2");
        row("txtOct3", QAccessible::EditableText, "IP address, octet 3");
        row("txtOct4", QAccessible::EditableText, "IP address, octet 4");
        row("Slider1", QAccessible::Slider, "Network mask length");
        row("Command1", QAccessible::Button, "Set default mask");
        row("StatusBar1", QAccessible::StatusBar, "Enter an IP address above.");

        const auto value = QAccessible::StaticText;
        const QString zeros = "00000000.00000000.00000000.00000000";
        row("lbl32Decimal", value, "", "Decimal IP address");
        row("lblBinIPAddr", value, zeros, "Binary IP address");
        row("lblHexIPAddr", value, "00.00.00.00", "Hexadecimal IP address");
        row("lblClass", value, "", "Address Class");
        row("lblBits", value, "0", "Number of bits in mask");
        row("lblClassfull", value, "", "Classfull Network Mask");
        row("lblNetMask", value, "", "Classless Network Mask");
        row("lblHexMask", value, "00.00.00.00", "Hex Network Mask");
        row("lblBinMask", value, zeros, "Binary Network mask");
        row("lblHosts", value, "255.255.255.255 - 255.255.255.255", "Usable address range");
        row("lblNetNumber", value, "", "Network Address");
        row("lblBroadcast", value, "", "Broadcast Address");
        row("lblMaxHosts", value, "0", "Max hosts");
        row("lblMaxNets", value, "0", "Max nets");
    }

    void controls() {
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QAccessibleInterface* control = accessible(fixture_.find(QTest::currentDataTag()));
        QVERIFY(control);
        QCOMPARE(int(control->role()), role);
        QCOMPARE(control->text(QAccessible::Name), name);
        QCOMPARE(control->text(QAccessible::Description), description);
    }

    void windowReadsAsATitledWindow() {
        QAccessibleInterface* window = accessible(&fixture_.window());
        QVERIFY(window);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), "Brevint Quellan");
    }

    // After 192.168.1.10, the slider moved by hand and "Set default mask":
    // the fields read as their values, the boxes and the slider by value.
    void valuesAfterInput_data() {
        QTest::addColumn<QString>("value");

        QTest::newRow("txtOct1") << "192";
        QTest::newRow("txtOct2") << "168";
        QTest::newRow("txtOct3") << "1";
        QTest::newRow("txtOct4") << "10";
        QTest::newRow("Slider1") << "24";
        QTest::newRow("lbl32Decimal") << "3232235786";
        QTest::newRow("lblBits") << " 24";
        QTest::newRow("lblNetMask") << "255.255.255.0";
        QTest::newRow("lblHosts") << "192.168.1.1 - 192.168.1.254";
        QTest::newRow("lblMaxHosts") << "254";
    }

    void valuesAfterInput() {
        QFETCH(QString, value);
        typeAddress({"192", "168", "1", "10"});
        QTest::keyClick(box(4), Qt::Key_Tab);
        QTRY_COMPARE(fixture_.focusName(), "Slider1");
        QTest::keyClick(fixture_.slider(), Qt::Key_Right);
        QCOMPARE(fixture_.slider()->value(), 25);
        QTest::keyClick(fixture_.slider(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(fixture_.slider()->value(), 24);

        QAccessibleInterface* control = accessible(fixture_.find(QTest::currentDataTag()));
        if (QAccessibleTextInterface* text = control->textInterface()) {
            QCOMPARE(text->text(0, text->characterCount()), value);
            QCOMPARE(control->text(QAccessible::Value), value);
        } else if (QAccessibleValueInterface* slider = control->valueInterface()) {
            QCOMPARE(slider->currentValue().toString(), value);
        } else {
            QCOMPARE(control->text(QAccessible::Name), value);
        }
    }

    // Each caption is read just before its value, and the octet boxes right
    // after the caption that asks for the address.
    void readingOrder_data() {
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Quellan") << QStringList{"Label1",  "txtOct1", "txtOct2",   "txtOct3",
                                                "txtOct4", "Label14", "Slider1",   "Frame4",
                                                "Frame3",  "Frame1",  "StatusBar1"};
        QTest::newRow("Frame4") << QStringList{"Label8",       "lbl32Decimal", "Label5",
                                               "lblBinIPAddr", "Label20",      "lblHexIPAddr"};
        QTest::newRow("Frame3") << QStringList{
            "Label7", "lblClass",   "Label16", "lblBits",    "Label15", "lblClassfull", "Command1",
            "Label6", "lblNetMask", "Label2",  "lblHexMask", "Label13", "lblBinMask"};
        QTest::newRow("Frame1") << QStringList{"Label17", "lblHosts",     "Label12", "lblNetNumber",
                                               "Label18", "lblBroadcast", "Label3",  "lblMaxHosts",
                                               "Label4",  "lblMaxNets"};
    }

    void readingOrder() {
        QFETCH(QStringList, order);
        QWidget* container = fixture_.find(QTest::currentDataTag());
        if (container == nullptr)
            container = &fixture_.window();
        QCOMPARE(::readingOrder(container), order);
    }

    // Reading order follows stacking order; the boxes must still be drawn
    // over the dots that reach into them.
    void boxesStayOverTheDots_data() {
        QTest::addColumn<QString>("dot");
        QTest::addColumn<int>("leftBox");
        QTest::newRow("Label9") << "Label9" << 1;
        QTest::newRow("Label10") << "Label10" << 2;
        QTest::newRow("Label11") << "Label11" << 3;
    }

    void boxesStayOverTheDots() {
        QFETCH(QString, dot);
        QFETCH(int, leftBox);
        const QRect dotArea = fixture_.find(dot)->geometry();
        for (QLineEdit* neighbour : {box(leftBox), box(leftBox + 1)}) {
            const QRect shared = dotArea.intersected(neighbour->geometry());
            QVERIFY(!shared.isEmpty());
            QCOMPARE(fixture_.window().childAt(shared.center()), neighbour);
        }
    }

    // QLabel::setText tells assistive technology about the label; the bar's
    // own name carries the same text, for whoever asks the status bar.
    void statusBarFollowsEveryChange() {
        auto* bar = fixture_.find<QStatusBar>("StatusBar1");
        auto* inside = bar->findChild<QLabel*>();
        const auto reads = [&](const QString& text) {
            return accessible(bar)->text(QAccessible::Name) == text &&
                   accessible(inside)->text(QAccessible::Name) == text;
        };
        QVERIFY(reads("Enter an IP address above."));
        QTest::keyClicks(box(1), "255");
        QVERIFY(reads(""));
        QTest::keyClick(box(1), Qt::Key_Tab);
        QVERIFY(reads(kBroadcast));
        QTRY_COMPARE(box(1)->selectedText(), "255");
        QTest::keyClick(box(1), '1');
        QVERIFY(reads(""));
    }

    void copyOneField_data() {
        QTest::addColumn<QString>("copied");
        QTest::newRow("lbl32Decimal") << "3232235786";
        QTest::newRow("lblBits") << "24";
        QTest::newRow("lblHosts") << "192.168.1.1 - 192.168.1.254";
        QTest::newRow("lblMaxNets") << "16777214";
    }

    void copyOneField() {
        QFETCH(QString, copied);
        typeAddress({"192", "168", "1", "10"});
        const QStringList entries =
            chooseFromContextMenu(fixture_.find(QTest::currentDataTag()), "Copy");
        QCOMPARE(entries, (kFieldMenu));
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    // From the menu of any field and by Ctrl+Shift+C wherever the focus is.
    void copyAll_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("typeAddress");
        QTest::addColumn<QString>("copied");

        QTest::newRow("menu of lblClass") << "lblClass" << true << kAllFields192;
        QTest::newRow("menu of lblMaxNets") << "lblMaxNets" << true << kAllFields192;
        QTest::newRow("keys in an octet box") << "txtOct4" << true << kAllFields192;
        QTest::newRow("keys on the slider") << "Slider1" << true << kAllFields192;
        QTest::newRow("keys on the button") << "Command1" << true << kAllFields192;
        QTest::newRow("before any input")
            << "txtOct1" << false
            << "Decimal IP address:\n"
               "Binary IP address: 00000000.00000000.00000000.00000000\n"
               "Hexadecimal IP address: 00.00.00.00\n"
               "Address Class:\n"
               "Number of bits in mask: 0\n"
               "Classfull Network Mask:\n"
               "Classless Network Mask:\n"
               "Hex Network Mask: 00.00.00.00\n"
               "Binary Network mask: 00000000.00000000.00000000.00000000\n"
               "Usable address range: 255.255.255.255 - 255.255.255.255\n"
               "Network Address:\n"
               "Broadcast Address:\n"
               "Max hosts: 0\n"
               "Max nets: 0\n";
    }

    void copyAll() {
        QFETCH(QString, from);
        QFETCH(bool, typeAddress);
        QFETCH(QString, copied);
        if (typeAddress)
            this->typeAddress({"192", "168", "1", "10"});
        QWidget* target = fixture_.find(from);
        if (qobject_cast<QLabel*>(target)) {
            QCOMPARE(chooseFromContextMenu(target, "Copy all"), (kFieldMenu));
        } else {
            target->setFocus(Qt::OtherFocusReason);
            QTRY_COMPARE(fixture_.focusName(), from);
            QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        }
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    // The results in the forms firewall rules, access lists and scripts take.
    void copyAs_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("copied");
        QTest::newRow("CIDR") << "Network in CIDR notation"
                              << "192.168.1.0/26";
        QTest::newRow("length") << "Address with its length"
                                << "192.168.1.10/26";
        QTest::newRow("mask") << "Network and mask"
                              << "192.168.1.0 255.255.255.192";
        QTest::newRow("wildcard") << "Network and wildcard mask"
                                  << "192.168.1.0 0.0.0.63";
        QTest::newRow("JSON")
            << "JSON"
            << R"j({"input":"192.168.1.10/26","decimal":3232235786,)j"
               R"j("binary":"11000000.10101000.00000001.00001010","hex":"C0.A8.1.A","class":"C",)j"
               R"j("maskBits":26,"classfulMask":"255.255.255.0","mask":"255.255.255.192",)j"
               R"j("hexMask":"FF.FF.FF.C0","binaryMask":"11111111.11111111.11111111.11000000",)j"
               R"j("range":"192.168.1.1 - 192.168.1.62","network":"192.168.1.0",)j"
               R"j("broadcast":"192.168.1.63","maxHosts":62,"maxNets":67108862,)j"
               R"j("wildcard":"0.0.0.63","cidr":"192.168.1.0/26","type":"Private-use (RFC 1918)",)j"
               R"j("reverseDns":"10.1.168.192.in-addr.arpa."})j";
    }

    void copyAs() {
        QFETCH(QString, format);
        QFETCH(QString, copied);
        QGuiApplication::clipboard()->setText("192.168.1.10/26");
        QTest::keyClick(box(1), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(fixture_.labelText("lblBits"), " 26");

        const QList<QAction*> entries = fixture_.find("lblNetNumber")->actions();
        const auto copyAs = std::find_if(entries.begin(), entries.end(),
                                         [](QAction* a) { return a->text() == "Copy as"; });
        QVERIFY(copyAs != entries.end() && (*copyAs)->menu());
        QMenu* formats = (*copyAs)->menu();
        emit formats->aboutToShow();
        for (QAction* action : formats->actions())
            if (action->text() == format && action->isEnabled())
                action->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    void copyAsWaitsForResults() {
        const QList<QAction*> entries = fixture_.find("lblClass")->actions();
        QAction* copyAs = entries.at(2);
        QCOMPARE(copyAs->text(), "Copy as");
        emit copyAs->menu()->aboutToShow();
        for (QAction* action : copyAs->menu()->actions())
            QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
    }

    // Every entry of the fields' menus from the keyboard, wherever the focus
    // is, without a stop in the Tab order: Shift+F10, or the Menu key where
    // the focus has no menu of its own. Shift+F10 goes in through the window,
    // as the platform delivers keys; for the Menu key the platform sends the
    // focus a context menu event, and so does the test.
    void resultsMenuByKeyboard_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("copied");
        QTest::newRow("Shift+F10 in an octet box")
            << "txtOct4" << int(Qt::Key_F10) << "Copy Network Address"
            << "192.168.1.0";
        QTest::newRow("Shift+F10 on the slider")
            << "Slider1" << int(Qt::Key_F10) << "Copy Max hosts"
            << "254";
        QTest::newRow("Menu key on the slider")
            << "Slider1" << int(Qt::Key_Menu) << "Copy Usable address range"
            << "192.168.1.1 - 192.168.1.254";
        QTest::newRow("Menu key on the button")
            << "Command1" << int(Qt::Key_Menu) << "Copy all" << kAllFields192;
    }

    void resultsMenuByKeyboard() {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, entry);
        QFETCH(QString, copied);
        typeAddress({"192", "168", "1", "10"});
        fixture_.find(from)->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(fixture_.focusName(), from);
        if (key == Qt::Key_F10) {
            QTest::keyClick(fixture_.window().windowHandle(), Qt::Key_F10, Qt::ShiftModifier);
        } else {
            QWidget* focus = fixture_.window().focusWidget();
            const QPoint centre = focus->rect().center();
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, centre,
                                      focus->mapToGlobal(centre));
            QApplication::sendEvent(focus, &menuKey);
        }
        QMenu* menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr);
        QStringList entries;
        for (QAction* action : menu->actions())
            entries << action->text();
        const QStringList expected{"Copy Decimal IP address",
                                   "Copy Binary IP address",
                                   "Copy Hexadecimal IP address",
                                   "Copy Address Class",
                                   "Copy Number of bits in mask",
                                   "Copy Classfull Network Mask",
                                   "Copy Classless Network Mask",
                                   "Copy Hex Network Mask",
                                   "Copy Binary Network mask",
                                   "Copy Usable address range",
                                   "Copy Network Address",
                                   "Copy Broadcast Address",
                                   "Copy Max hosts",
                                   "Copy Max nets",
                                   "",
                                   "Copy all",
                                   "Copy as",
                                   "Subnets…",
                                   "Plan…"};
        QCOMPARE(entries, expected);
        for (qsizetype step = 0; step < entries.size(); ++step) {
            if (menu->activeAction() != nullptr && menu->activeAction()->text() == entry)
                break;
            QTest::keyClick(menu, Qt::Key_Down);
        }
        QVERIFY(menu->activeAction() != nullptr);
        QCOMPARE(menu->activeAction()->text(), entry);
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    // The menu takes the focus from a box holding a value that leaving it
    // would refuse: that is not leaving, so nothing is checked or moved.
    void contextMenuLeavesRefusedBoxAlone() {
        box(2)->setFocus(Qt::OtherFocusReason);
        QTRY_COMPARE(fixture_.focusName(), "txtOct2");
        QTest::keyClicks(box(2), "255");
        QCOMPARE(fixture_.statusText(), "");

        chooseFromContextMenu(fixture_.find("lblBinIPAddr"), "Copy");

        QCOMPARE(QGuiApplication::clipboard()->text(), "00000000.11111111.00000000.00000000");
        QCOMPARE(fixture_.statusText(), "");
        QCOMPARE(fixture_.window().focusWidget(), box(2));
        // The offscreen platform leaves no window active once a popup has
        // closed, where a desktop gives the window its focus back.
        fixture_.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fixture_.window()));
        QTRY_COMPARE(fixture_.focusName(), "txtOct2");
        QTest::qWait(50);
        QCOMPARE(fixture_.focusName(), "txtOct2");
        QCOMPARE(fixture_.statusText(), "");
        QCOMPARE(box(2)->text(), "255");
        // Leaving it for real still refuses it.
        QTest::keyClick(box(2), Qt::Key_Tab);
        QCOMPARE(fixture_.statusText(), kBroadcast);
    }
};

QUELLAN_WINDOW_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
