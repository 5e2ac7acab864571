// Copying rows of the subnet list and exporting all of it: the text pasted
// and the file written hold the rows the list shows, under a caption line.

#include "calculator/recalculation.h"
#include "subnet_export.h"
#include "subnet_table.h"
#include "window_test_support.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>

using quellan::SubnetList;
using quellan::test::WindowFixture;

namespace {

const QString kTsvHeader = "Network\tFirst host\tLast host\tBroadcast\tHosts\n";
const QString kCsvHeader = "Network,First host,Last host,Broadcast,Hosts";

// The list the record of these boxes and slider gives, as the window has it.
SubnetList listOf(const QStringList& octets, int bits) {
    quellan::WindowState state;
    for (std::size_t i = 0; i < state.octets.size(); ++i)
        state.octets[i] = octets.value(static_cast<int>(i)).toStdString();
    state.sliderValue = bits;
    quellan::Dumbo(state);
    return quellan::subnetListOf(state);
}

// Writes past `bytes` fail with "File too large" while it lives, as on a
// disk that has filled up, without the signal that would end the program.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace

class SubnetExportTest : public QObject {
    Q_OBJECT

    WindowFixture fixture_;
    QTemporaryDir directory_;

    quellan::SubnetTable* openList(const QString& pasted) {
        QGuiApplication::clipboard()->setText(pasted);
        auto* box = fixture_.find<QLineEdit>("txtOct1");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_L, Qt::ControlModifier);
        auto* table = fixture_.window().findChild<quellan::SubnetTable*>("subnetTable");
        // The list takes the keyboard focus once its window is active.
        if (table == nullptr ||
            !QTest::qWaitFor([table] { return QApplication::focusWidget() == table; }))
            return nullptr;
        QGuiApplication::clipboard()->setText("untouched");
        return table;
    }

    // The row as the list shows it, cell by cell, joined by `separator`.
    static QString shownRow(const quellan::SubnetTable& table, int row, QChar separator) {
        QStringList cells;
        for (int column = 0; column < quellan::SubnetTable::columnCount(); ++column)
            cells << table.cellText(row, column);
        return cells.join(separator);
    }

private slots:
    void init() { QVERIFY(fixture_.open()); }
    void cleanup() { fixture_.close(); }

    // Ctrl+C in the list; the rows are written out by hand.
    void copy_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("copied");

        const QString row0 = "192.168.1.0/26\t192.168.1.1\t192.168.1.62\t192.168.1.63\t62\n";
        const QString row1 = "192.168.1.64/26\t192.168.1.65\t192.168.1.126\t192.168.1.127\t62\n";
        const QString row2 = "192.168.1.128/26\t192.168.1.129\t192.168.1.190\t192.168.1.191\t62\n";
        const QString row3 = "192.168.1.192/26\t192.168.1.193\t192.168.1.254\t192.168.1.255\t62\n";
        // The address 192.168.1.70 is in row 1, which the list selects.
        QTest::newRow("the address's row") << "" << kTsvHeader + row1;
        QTest::newRow("Shift+Down") << "shift+down" << kTsvHeader + row1 + row2;
        QTest::newRow("Shift+Up") << "shift+up" << kTsvHeader + row0 + row1;
        QTest::newRow("Ctrl+A") << "ctrl+a" << kTsvHeader + row0 + row1 + row2 + row3;
        // Picked upwards with Ctrl: still copied in list order.
        QTest::newRow("Ctrl+Space on rows 3 and 1, from the end")
            << "end ctrl+up ctrl+up ctrl+space" << kTsvHeader + row1 + row3;
        QTest::newRow("Shift+End") << "shift+end" << kTsvHeader + row1 + row2 + row3;
        QTest::newRow("Shift+Home") << "shift+home" << kTsvHeader + row0 + row1;
        QTest::newRow("Page Down, Shift+Page Up")
            << "pagedown shift+pageup" << kTsvHeader + row0 + row1 + row2 + row3;
        QTest::newRow("Ctrl+Down, Space") << "ctrl+down space" << kTsvHeader + row2;
        QTest::newRow("Ctrl+Space twice") << "ctrl+space ctrl+space" << kTsvHeader + row1;
        // The same with the mouse, on the first cell of the row numbered.
        QTest::newRow("click") << "click:3" << kTsvHeader + row3;
        QTest::newRow("Shift+click") << "shift+click:3" << kTsvHeader + row1 + row2 + row3;
        QTest::newRow("Shift+click upwards")
            << "click:2 shift+click:0" << kTsvHeader + row0 + row1 + row2;
        QTest::newRow("Ctrl+click") << "ctrl+click:3" << kTsvHeader + row1 + row3;
        QTest::newRow("Ctrl+click on the selected row")
            << "shift+down ctrl+click:1" << kTsvHeader + row2;
        QTest::newRow("right click in the selection")
            << "shift+down right+click:2" << kTsvHeader + row1 + row2;
        QTest::newRow("right click outside it") << "shift+down right+click:0" << kTsvHeader + row0;
        QTest::newRow("click below the rows") << "click:9" << kTsvHeader + row1;
    }
    void copy() {
        QFETCH(QString, keys);
        QFETCH(QString, copied);
        quellan::SubnetTable* table = openList("192.168.1.70/26");
        QVERIFY(table != nullptr);
        for (const QString& key : keys.split(' ', Qt::SkipEmptyParts)) {
            const Qt::KeyboardModifiers modifiers = key.startsWith("shift+")  ? Qt::ShiftModifier
                                                    : key.startsWith("ctrl+") ? Qt::ControlModifier
                                                                              : Qt::NoModifier;
            const QString name = key.section('+', -1);
            if (name.startsWith("click:")) {
                const Qt::MouseButton button =
                    key.startsWith("right+") ? Qt::RightButton : Qt::LeftButton;
                const int row = name.section(':', 1).toInt();
                const int height = table->cellRect(0, 0).height();
                const QPoint at(table->cellRect(0, 0).center() + QPoint(0, row * height));
                QTest::mouseClick(table->viewport(), button, modifiers, at);
                continue;
            }
            const Qt::Key code = name == "down"       ? Qt::Key_Down
                                 : name == "up"       ? Qt::Key_Up
                                 : name == "end"      ? Qt::Key_End
                                 : name == "home"     ? Qt::Key_Home
                                 : name == "pagedown" ? Qt::Key_PageDown
                                 : name == "pageup"   ? Qt::Key_PageUp
                                 : name == "space"    ? Qt::Key_Space
                                                      : Qt::Key_A;
            QTest::keyClick(table, code, modifiers);
        }
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    }

    // Rows picked one by one in any order, as Ctrl+click picks them: each
    // row once, in list order.
    void copyRanges() {
        const SubnetList list = listOf({"192", "168", "1", "10"}, 27);
        quellan::SubnetTable table;
        table.setList(list);
        quellan::RowSelection selection;
        for (std::uint32_t row : {6U, 2U, 5U, 1U, 3U})
            selection.toggle(row);
        QString expected = kTsvHeader;
        for (int row : {1, 2, 3, 5, 6})
            expected += shownRow(table, row, '\t') + '\n';
        QCOMPARE(quellan::selectedRowsText(list, selection), expected);
    }

    // The file read back is the header and then every row as the list shows it.
    void csv_data() {
        QTest::addColumn<QStringList>("octets");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("rows");
        QTest::newRow("class C /26") << QStringList{"192", "168", "1", "10"} << 26 << 4;
        QTest::newRow("class C at its default") << QStringList{"192", "168", "1", "10"} << 24 << 1;
        QTest::newRow("class B /32") << QStringList{"172", "16", "5", "4"} << 32 << 65536;
        QTest::newRow("class D") << QStringList{"224", "0", "0", "1"} << 0 << 0;
    }
    void csv() {
        QFETCH(QStringList, octets);
        QFETCH(int, bits);
        QFETCH(int, rows);
        const SubnetList list = listOf(octets, bits);
        quellan::SubnetTable table;
        table.setList(list);
        QCOMPARE(table.rowCount(), rows);
        const QString path =
            directory_.filePath(QString(QTest::currentDataTag()).replace('/', '-') + ".csv");
        QCOMPARE(quellan::writeSubnetCsv(path, list), QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLatin1(file.readAll()).split('\n');
        QCOMPARE(lines.size(), rows + 2);
        QCOMPARE(lines.front(), kCsvHeader);
        QCOMPARE(lines.back(), QString());
        for (int row = 0; row < rows; ++row)
            QCOMPARE(lines[row + 1], shownRow(table, row, ','));
    }

    // The class A /30, 4194304 rows: as many lines, with the list's first,
    // middle and last rows where they belong.
    void csvOfMillions() {
        const SubnetList list = listOf({"10", "1", "2", "3"}, 30);
        quellan::SubnetTable table;
        table.setList(list);
        const QString path = directory_.filePath("class-a.csv");
        QCOMPARE(quellan::writeSubnetCsv(path, list), QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // Line by line without a copy of each: four million small strings
        // take most of a minute under the sanitizers.
        qsizetype start = 0;
        int line = 0;
        for (const int row : {0, 16512, 2097152, 4194303}) {
            for (; line < row + 1; ++line)
                start = bytes.indexOf('\n', start) + 1;
            const qsizetype end = bytes.indexOf('\n', start);
            QCOMPARE(QString::fromLatin1(bytes.mid(start, end - start)), shownRow(table, row, ','));
        }
        QCOMPARE(bytes.count('\n'), 4194304 + 1);
    }

    // Ctrl+S: a list over a million rows asks before the file dialog opens;
    // Ctrl+C of over a million rows asks before it copies. Each window that
    // opens is recorded and then answered or closed.
    void asksFirst_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<bool>("copying");
        QTest::newRow("copy 4 rows")
            << "192.168.1.70/26" << int(QMessageBox::No) << QStringList{} << true;
        QTest::newRow("copy 1048576 rows, no")
            << "10.1.2.3/28" << int(QMessageBox::No)
            << QStringList{"The selection has 1048576 subnets. Copy them all?"} << true;
        const QString question = "The list has 4194304 subnets. Export them all?";
        QTest::newRow("export 4 rows")
            << "192.168.1.70/26" << int(QMessageBox::No) << QStringList{"QFileDialog"} << false;
        QTest::newRow("export 524288 rows")
            << "10.1.2.3/27" << int(QMessageBox::No) << QStringList{"QFileDialog"} << false;
        QTest::newRow("export 1048576 rows")
            << "10.1.2.3/28" << int(QMessageBox::No)
            << QStringList{"The list has 1048576 subnets. Export them all?"} << false;
        QTest::newRow("export 4194304 rows, no")
            << "10.1.2.3/30" << int(QMessageBox::No) << QStringList{question} << false;
        QTest::newRow("export 4194304 rows, yes") << "10.1.2.3/30" << int(QMessageBox::Yes)
                                                  << QStringList{question, "QFileDialog"} << false;
    }
    void asksFirst() {
        QFETCH(QString, pasted);
        QFETCH(int, answer);
        QFETCH(QStringList, opened);
        QFETCH(bool, copying);
        quellan::SubnetTable* table = openList(pasted);
        QVERIFY(table != nullptr);
        QStringList seen;
        QTimer modal;
        connect(&modal, &QTimer::timeout, this, [&seen, answer] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                seen << box->text();
                box->button(QMessageBox::StandardButton(answer))->click();
            } else if (dialog != nullptr) {
                seen << dialog->metaObject()->className();
                dialog->close();
            }
        });
        modal.start(20);
        if (copying) {
            QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        } else {
            QTest::keyClick(table, Qt::Key_S, Qt::ControlModifier);
        }
        modal.stop();
        QCOMPARE(seen, opened);
        if (copying)
            QCOMPARE(QGuiApplication::clipboard()->text() == "untouched", !opened.isEmpty());
    }

    // A file that cannot be written says why, and leaves nothing behind or
    // the file of that name as it was: a folder that is not there, and a
    // disk that fills up on the way (here, the limit on a file's size).
    void failedExport_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("earlier");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no folder") << "missing/subnets.csv" << false << "No such file or directory";
        QTest::newRow("too large, new file") << "subnets.csv" << false << "File too large";
        QTest::newRow("too large, earlier file") << "subnets.csv" << true << "File too large";
    }
    void failedExport() {
        QFETCH(QString, name);
        QFETCH(bool, earlier);
        QFETCH(QString, reason);
        // 65536 rows, over 3 MB, against a limit of 256 KiB.
        const SubnetList list = listOf({"172", "16", "5", "4"}, 32);
        const QTemporaryDir folder;
        const QString path = folder.filePath(name);
        const QByteArray before = "Network,First host,Last host,Broadcast,Hosts\n";
        if (earlier) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
        }
        const FileSizeLimit limit(rlim_t{256} * 1024);
        const QString failure = quellan::writeSubnetCsv(path, list);
        QVERIFY2(failure.contains(reason), qPrintable(failure));
        QStringList left = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        if (earlier) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before);
            QCOMPARE(left, QStringList{name});
        } else {
            QCOMPARE(left, QStringList{});
        }
    }
};

QUELLAN_WINDOW_TEST_MAIN(SubnetExportTest)

#include "subnet_export_test.moc"
