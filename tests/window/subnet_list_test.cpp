// The subnet list window: how it opens, which rows it lists, the row it
// selects as the address and the slider change, what its note says, and the
// keys that work it.

#include "subnet_table.h"
#include "subnet_window.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryFile>
#include <QTimer>

using quellan::SubnetTable;
using quellan::SubnetWindow;
using quellan::test::WindowFixture;

namespace {

const QString kOne = "The mask is not longer than the class's default: there is one network.";
const QString kNone = "Class D and E addresses have no subnets.";

// Where the second, 1280-pixel screen begins.
constexpr int kSmallScreenLeft = 1600;

} // namespace

class SubnetListTest : public QObject {
    Q_OBJECT

    WindowFixture fixture_;

    QLineEdit* box(int number) { return fixture_.find<QLineEdit>(QString("txtOct%1").arg(number)); }

    // Types the address box by box and, unless `bits` is empty, the length on
    // the slider, as a user types them.
    void typeAddress(const QString& address, const QString& bits = {}) {
        const QStringList octets = address.split('.');
        for (int number = 1; number <= 4; ++number) {
            box(number)->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(box(number), octets.value(number - 1));
        }
        if (bits.isEmpty())
            return;
        QTest::keyClick(box(4), Qt::Key_Tab);
        QTRY_COMPARE(fixture_.focusName(), "Slider1");
        QTest::keyClicks(fixture_.slider(), bits);
    }

    SubnetWindow* subnets() { return fixture_.find<SubnetWindow>("Subnets"); }
    SubnetTable* table() { return subnets()->findChild<SubnetTable*>("subnetTable"); }
    QString noteText() { return subnets()->findChild<QLabel*>("subnetNote")->text(); }

    bool openByKeys() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
        return subnets() != nullptr && subnets()->isVisible();
    }

    QString rowText(int row) {
        QStringList cells;
        for (int column = 0; column < SubnetTable::columnCount(); ++column)
            cells << table()->cellText(row, column);
        return cells.join('\t');
    }

    // The one selected row; -1 for none or several.
    int selectedRow() {
        const quellan::RowSelection& rows = table()->selection();
        return rows.count() == 1 ? static_cast<int>(rows.runs().front().first) : -1;
    }

    // The row is on screen, not merely selected.
    bool rowShown(int row) {
        const QRect cell = table()->cellRect(row, 0);
        return !cell.isEmpty() && table()->viewport()->rect().contains(cell);
    }

private slots:
    void init() {
        // No place remembered from the test before.
        QSettings().clear();
        QVERIFY(fixture_.open());
    }
    void cleanup() { fixture_.close(); }

    // Ctrl+L wherever the focus is, or the entry of any value label's menu.
    void opens_data() {
        QTest::addColumn<QString>("from");
        QTest::newRow("Ctrl+L in a box") << "txtOct2";
        QTest::newRow("Ctrl+L on the slider") << "Slider1";
        QTest::newRow("Ctrl+L on the button") << "Command1";
        QTest::newRow("menu of lblNetNumber") << "lblNetNumber";
        QTest::newRow("menu of lblMaxNets") << "lblMaxNets";
    }
    void opens() {
        QFETCH(QString, from);
        typeAddress("192.168.1.10");
        QWidget* target = fixture_.find(from);
        if (qobject_cast<QLabel*>(target)) {
            quellan::test::chooseFromContextMenu(target, "Subnets…");
        } else {
            target->setFocus(Qt::OtherFocusReason);
            QTRY_COMPARE(fixture_.focusName(), from);
            QTest::keyClick(target, Qt::Key_L, Qt::ControlModifier);
        }
        QVERIFY(subnets() != nullptr);
        QVERIFY(subnets()->isVisible());
        QVERIFY(subnets()->isWindow());
        QVERIFY(!subnets()->isModal());
        QCOMPARE(subnets()->windowTitle(), "Subnets of 192.168.1.0/24");
        // Beside the main window, to its right, level with it.
        const QRect main = fixture_.window().frameGeometry();
        QVERIFY2(subnets()->frameGeometry().left() > main.right(), "not right of the window");
        QCOMPARE(subnets()->frameGeometry().top(), main.top());
    }

    // Beside the main window where the screen has room, to its right first;
    // on the narrower screen, with the window in its middle, wherever the
    // screen has room (narrower beside it, or below); never over the window.
    void placement_data() {
        QTest::addColumn<int>("mainLeft");
        QTest::addColumn<QString>("side");
        QTest::newRow("room on both sides") << 560 << "right";
        QTest::newRow("room on the right only") << 0 << "right";
        QTest::newRow("room on the left only") << 1600 - 380 << "left";
        QTest::newRow("1280 pixels, room on neither side")
            << kSmallScreenLeft + (1280 - 365) / 2 << "clear of it";
    }
    void placement() {
        QFETCH(int, mainLeft);
        QFETCH(QString, side);
        fixture_.window().move(mainLeft, 100);
        QVERIFY(openByKeys());
        const QRect main = fixture_.window().frameGeometry();
        const QRect list = subnets()->frameGeometry();
        QVERIFY(!list.intersects(main));
        QVERIFY(fixture_.window().screen()->availableGeometry().contains(list));
        if (side == "clear of it")
            return;
        QCOMPARE(list.top(), main.top());
        QCOMPARE(list.left() > main.right(), side == "right");
    }

    void reopeningRaisesTheSameWindow() {
        typeAddress("10.1.2.3");
        QVERIFY(openByKeys());
        SubnetWindow* first = subnets();
        QVERIFY(openByKeys());
        QCOMPARE(subnets(), first);
        QCOMPARE(fixture_.window().findChildren<SubnetWindow*>().size(), 1);
        // Closed and opened again: the same window, filled again.
        QVERIFY(QTest::qWaitForWindowActive(first));
        QTest::keyClick(table(), Qt::Key_Escape);
        QVERIFY(!first->isVisible());
        fixture_.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fixture_.window()));
        box(4)->setFocus();
        QTest::keyClicks(box(4), "0");
        QVERIFY(openByKeys());
        QCOMPARE(subnets(), first);
        QCOMPARE(first->windowTitle(), "Subnets of 10.0.0.0/8");
        QCOMPARE(noteText(), kOne);
        QCOMPARE(rowText(0), "10.0.0.0/8\t10.0.0.1\t10.255.255.254\t10.255.255.255\t16777214");
    }

    // Rows at the start, middle and end of lists, by typing and the slider.
    void rows_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("bits");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");

        QTest::newRow("class C /26, first")
            << "192.168.1.10"
            << "26" << 4 << 0 << "192.168.1.0/26\t192.168.1.1\t192.168.1.62\t192.168.1.63\t62";
        QTest::newRow("class C /26, last")
            << "192.168.1.10"
            << "26" << 4 << 3
            << "192.168.1.192/26\t192.168.1.193\t192.168.1.254\t192.168.1.255\t62";
        QTest::newRow("class A /30, first")
            << "10.1.2.3"
            << "30" << 4194304 << 0 << "10.0.0.0/30\t10.0.0.1\t10.0.0.2\t10.0.0.3\t2";
        QTest::newRow("class A /30, middle")
            << "10.1.2.3"
            << "30" << 4194304 << 2097152 << "10.128.0.0/30\t10.128.0.1\t10.128.0.2\t10.128.0.3\t2";
        QTest::newRow("class A /30, last")
            << "10.1.2.3"
            << "30" << 4194304 << 4194303
            << "10.255.255.252/30\t10.255.255.253\t10.255.255.254\t10.255.255.255\t2";
        QTest::newRow("class B /31")
            << "172.16.5.4"
            << "31" << 32768 << 32767
            << "172.16.255.254/31\t172.16.255.254\t172.16.255.255\t172.16.255.255\t2";
        QTest::newRow("class C /32")
            << "192.168.1.10"
            << "32" << 256 << 0 << "192.168.1.0/32\t192.168.1.0\t192.168.1.0\t192.168.1.0\t1";
        QTest::newRow("class C at its default")
            << "192.168.1.10"
            << "" << 1 << 0 << "192.168.1.0/24\t192.168.1.1\t192.168.1.254\t192.168.1.255\t254";
    }
    void rows() {
        QFETCH(QString, address);
        QFETCH(QString, bits);
        QFETCH(int, count);
        QFETCH(int, row);
        QFETCH(QString, text);
        typeAddress(address, bits);
        QVERIFY(openByKeys());
        QCOMPARE(table()->rowCount(), count);
        QCOMPARE(rowText(row), text);
        const QAbstractItemModel* captions = table()->header()->model();
        QCOMPARE(captions->headerData(0, Qt::Horizontal).toString(), "Network");
        QCOMPARE(captions->headerData(4, Qt::Horizontal).toString(), "Hosts");
    }

    // The list follows the main window with every keystroke: the address's
    // row is selected and shown, in the list the boxes and slider now name.
    void selectionFollows_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("bits");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("row");

        auto row = [](const char* name, const char* typed, const char* title, int count,
                      int selected) {
            QTest::newRow(name) << "10.1.2.3"
                                << "30" << typed << title << count << selected;
        };
        // A typed octet puts the slider back on the class default.
        QTest::newRow("typed last octet") << "192.168.1.10"
                                          << "26"
                                          << "box4:200"
                                          << "Subnets of 192.168.1.0/24" << 1 << 0;
        row("typed first octet, another class", "box1:172", "Subnets of 172.1.0.0/16", 1, 0);
        row("pasted, same list", "paste:10.255.255.254/30", "Subnets of 10.0.0.0/8", 4194304,
            4194303);
        row("pasted, another class", "paste:172.16.200.4/20", "Subnets of 172.16.0.0/16", 16, 12);
        row("slider right", "slider:right", "Subnets of 10.0.0.0/8", 8388608, 33025);
        row("slider left", "slider:left", "Subnets of 10.0.0.0/8", 2097152, 8256);
        row("slider end", "slider:end", "Subnets of 10.0.0.0/8", 16777216, 66051);
        row("slider typed to the default", "slider:8", "Subnets of 10.0.0.0/8", 1, 0);
    }
    void selectionFollows() {
        QFETCH(QString, address);
        QFETCH(QString, bits);
        QFETCH(QString, typed);
        QFETCH(QString, title);
        QFETCH(int, count);
        QFETCH(int, row);
        typeAddress(address, bits);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(openByKeys());
        // Back to the main window, as the user would click it.
        fixture_.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fixture_.window()));
        focus->setFocus();

        const QString what = typed.section(':', 0, 0);
        const QString keys = typed.section(':', 1);
        if (what == "paste") {
            QGuiApplication::clipboard()->setText(keys);
            box(1)->setFocus();
            QTest::keyClick(box(1), Qt::Key_V, Qt::ControlModifier);
        } else if (what.startsWith("box")) {
            QLineEdit* edited = box(what.mid(3).toInt());
            edited->setFocus();
            edited->selectAll();
            QTest::keyClicks(edited, keys);
        } else if (keys == "right" || keys == "left" || keys == "end") {
            const Qt::Key key = keys == "right"  ? Qt::Key_Right
                                : keys == "left" ? Qt::Key_Left
                                                 : Qt::Key_End;
            QTest::keyClick(fixture_.slider(), key);
        } else {
            // A pause first, so the digit starts a new length.
            QTest::qWait(1100);
            QTest::keyClicks(fixture_.slider(), keys);
        }
        // No event loop in between: the keystroke itself refilled the list.
        QCOMPARE(subnets()->windowTitle(), title);
        QCOMPARE(table()->rowCount(), count);
        QCOMPARE(selectedRow(), row);
        QCOMPARE(table()->currentRow(), row);
        QVERIFY(rowShown(row));
    }

    // The line above the list: how many, or why one or none.
    void note_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("bits");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("count");

        QTest::newRow("nothing typed") << ""
                                       << ""
                                       << "Subnets"
                                       << "No address yet." << 0;
        QTest::newRow("class C /26") << "192.168.1.10"
                                     << "26"
                                     << "Subnets of 192.168.1.0/24"
                                     << "4 subnets of /26." << 4;
        QTest::newRow("class C at its default") << "192.168.1.10"
                                                << ""
                                                << "Subnets of 192.168.1.0/24" << kOne << 1;
        QTest::newRow("class B below its default") << "172.16.5.4"
                                                   << "12"
                                                   << "Subnets of 172.16.0.0/16" << kOne << 1;
        QTest::newRow("class A /30") << "10.1.2.3"
                                     << "30"
                                     << "Subnets of 10.0.0.0/8"
                                     << "4194304 subnets of /30." << 4194304;
        QTest::newRow("class D") << "224.0.0.1"
                                 << ""
                                 << "Subnets" << kNone << 0;
        QTest::newRow("class E") << "240.1.2.3"
                                 << ""
                                 << "Subnets" << kNone << 0;
    }
    void note() {
        QFETCH(QString, address);
        QFETCH(QString, bits);
        QFETCH(QString, title);
        QFETCH(QString, note);
        QFETCH(int, count);
        if (!address.isEmpty())
            typeAddress(address, bits);
        QVERIFY(openByKeys());
        QCOMPARE(subnets()->windowTitle(), title);
        QCOMPARE(noteText(), note);
        QCOMPARE(table()->rowCount(), count);
        QCOMPARE(subnets()->findChild<QPushButton*>("subnetExport")->isEnabled(), count > 0);
    }

    // Keys alone work the list: the focus starts in it, arrows, pages, Home
    // and End move the current row, Tab goes on to the button, Escape closes.
    void keyboard_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("row");
        QTest::newRow("Down") << int(Qt::Key_Down) << 16513;
        QTest::newRow("Up") << int(Qt::Key_Up) << 16511;
        QTest::newRow("Home") << int(Qt::Key_Home) << 0;
        QTest::newRow("End") << int(Qt::Key_End) << 4194303;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << -1;
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << -2;
    }
    void keyboard() {
        QFETCH(int, key);
        QFETCH(int, row);
        typeAddress("10.1.2.3", "30");
        QVERIFY(openByKeys());
        QVERIFY(QTest::qWaitForWindowActive(subnets()));
        QTRY_COMPARE(QApplication::focusWidget(), table());
        QCOMPARE(table()->currentRow(), 16512);
        QTest::keyClick(table(), Qt::Key(key));
        const int current = table()->currentRow();
        if (row == -1)
            QVERIFY2(current > 16513, qPrintable(QString::number(current)));
        else if (row == -2)
            QVERIFY2(current < 16511, qPrintable(QString::number(current)));
        else
            QCOMPARE(current, row);
        QCOMPARE(selectedRow(), current);
        QVERIFY(rowShown(current));

        QTest::keyClick(table(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), "subnetExport");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!subnets()->isVisible());
    }

    // What a screen reader asks of the list of 4194304 rows: each cell's
    // text, place among the table's children and column header, and the
    // cell under a point.
    void readAsAScreenReaderDoes_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("current");
        QTest::newRow("the address, first column") << 16512 << 0 << "10.1.2.0/30" << true;
        QTest::newRow("the address, last column") << 16512 << 4 << "2" << false;
        QTest::newRow("first row") << 0 << 1 << "10.0.0.1" << false;
        QTest::newRow("last row") << 4194303 << 3 << "10.255.255.255" << false;
    }
    void readAsAScreenReaderDoes() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(bool, current);
        typeAddress("10.1.2.3", "30");
        QVERIFY(openByKeys());
        QTRY_COMPARE(QApplication::focusWidget(), table());
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(table());
        QAccessibleTableInterface* cells = list->tableInterface();
        QVERIFY(cells != nullptr);
        QCOMPARE(cells->rowCount(), 4194304);
        QCOMPARE(cells->columnCount(), 5);
        QCOMPARE(list->childCount(), (4194304 + 1) * 5);
        QCOMPARE(cells->selectedRows(), QList<int>{16512});

        QAccessibleInterface* cell = cells->cellAt(row, column);
        QVERIFY(cell != nullptr && cell->isValid());
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->text(QAccessible::Name), text);
        QCOMPARE(cell->parent(), list);
        QCOMPARE(list->child(list->indexOfChild(cell)), cell);
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        QCOMPARE(place->rowIndex(), row);
        QCOMPARE(place->columnIndex(), column);
        const QList<QAccessibleInterface*> header = place->columnHeaderCells();
        QCOMPARE(header.size(), 1);
        QCOMPARE(header.front()->role(), QAccessible::ColumnHeader);
        QCOMPARE(header.front()->text(QAccessible::Name), SubnetTable::columnCaption(column));
        QCOMPARE(place->isSelected(), row == 16512);
        QCOMPARE(cell->state().focused, current);
        QCOMPARE(list->focusChild() == cell, current);
        // Only the rows in sight have a place on the screen.
        const bool inSight = row == 16512;
        QCOMPARE(cell->rect().isEmpty(), !inSight);
        if (inSight)
            QCOMPARE(list->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
    }

    // Its size and place are back in the next run, as a new window stands for.
    void geometryKeptBetweenRuns() {
        QVERIFY(openByKeys());
        const QRect moved(fixture_.window().frameGeometry().right() + 40, 60, 430, 380);
        subnets()->setGeometry(moved);
        QCOMPARE(subnets()->geometry(), moved);
        fixture_.close();

        QVERIFY(fixture_.open());
        QVERIFY(openByKeys());
        QCOMPARE(subnets()->geometry(), moved);
    }
};

// The offscreen platform's one screen is 800 pixels wide, too narrow for the
// list beside the window; these are a common laptop's and, to its right, an
// older screen's.
int main(int argc, char* argv[]) {
    quellan::test::useOffscreenWithoutDisplay();
    QTemporaryFile screens(QDir::tempPath() + "/screens-XXXXXX.json");
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && screens.open()) {
        screens.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1600,
                          "height": 900, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
                         {"name": "older", "x": 1600, "y": 0, "width": 1280,
                          "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        screens.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    const QTemporaryDir settings;
    quellan::test::keepSettingsIn(settings);
    SubnetListTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "subnet_list_test.moc"
