// Typing into the octet boxes: every real change recalculates, every refused
// keystroke leaves the box and the fields as they were.

#include "window_test_support.h"

#include <QClipboard>
#include <QLineEdit>

using quellan::test::WindowFixture;

namespace {

const QString kBroadcast = "255 represents a broadcast address.";

enum Setup { EmptyBox, DigitsSelected, CursorAtEnd };

} // namespace

class TypingTest : public QObject {
    Q_OBJECT

    WindowFixture fixture_;

    QLineEdit* box(int number) { return fixture_.find<QLineEdit>(QString("txtOct%1").arg(number)); }

private slots:
    void init() { QVERIFY(fixture_.open()); }
    void cleanup() { fixture_.close(); }

    void everyDigitRecalculates_data() {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QList<int>>("sliderAfterEach");
        QTest::addColumn<QString>("addressClass");

        QTest::newRow("192") << "192" << QList<int>{8, 8, 24} << "C";
        QTest::newRow("172") << "172" << QList<int>{8, 8, 16} << "B";
        QTest::newRow("10") << "10" << QList<int>{8, 8} << "A";
        QTest::newRow("224") << "224" << QList<int>{8, 8, 0} << "D";
        QTest::newRow("240") << "240" << QList<int>{8, 8, 0} << "E";
    }

    void everyDigitRecalculates() {
        QFETCH(QString, digits);
        QFETCH(QList<int>, sliderAfterEach);
        QFETCH(QString, addressClass);

        for (qsizetype typed = 1; typed <= digits.size(); ++typed) {
            QTest::keyClick(box(1), digits[typed - 1].toLatin1());
            const QString prefix = digits.left(typed);
            QCOMPARE(box(1)->text(), prefix);
            QCOMPARE(fixture_.labelText("lblHexIPAddr"),
                     QString::number(prefix.toInt(), 16).toUpper() + ".00.00.00");
            QCOMPARE(fixture_.slider()->value(), sliderAfterEach[typed - 1]);
            QCOMPARE(fixture_.labelText("lblBits"), QString(" %1").arg(sliderAfterEach[typed - 1]));
            QCOMPARE(fixture_.statusText(), "");
        }
        QCOMPARE(fixture_.labelText("lblClass"), addressClass);
        const bool classless = addressClass == "D" || addressClass == "E";
        QCOMPARE(fixture_.slider()->isEnabled(), !classless);
    }

    void addressFillsEveryField_data() {
        QTest::addColumn<QString>("expected");
        QTest::newRow("lbl32Decimal") << "3232235786";
        QTest::newRow("lblBinIPAddr") << "11000000.10101000.00000001.00001010";
        QTest::newRow("lblHexIPAddr") << "C0.A8.1.A";
        QTest::newRow("lblClass") << "C";
        QTest::newRow("lblBits") << " 24";
        QTest::newRow("lblClassfull") << "255.255.255.0";
        QTest::newRow("lblNetMask") << "255.255.255.0";
        QTest::newRow("lblHexMask") << "FF.FF.FF.0";
        QTest::newRow("lblBinMask") << "11111111.11111111.11111111.00000000";
        QTest::newRow("lblHosts") << "192.168.1.1 - 192.168.1.254";
        QTest::newRow("lblNetNumber") << "192.168.1.0";
        QTest::newRow("lblBroadcast") << "192.168.1.255";
        QTest::newRow("lblMaxHosts") << "254";
        QTest::newRow("lblMaxNets") << "16777214";
    }

    void addressFillsEveryField() {
        QFETCH(QString, expected);
        const QStringList octets{"192", "168", "1", "10"};
        for (int number = 1; number <= 4; ++number) {
            QTest::keyClicks(box(number), octets[number - 1]);
            if (number < 4)
                QTest::keyClick(box(number), Qt::Key_Tab);
        }
        QCOMPARE(fixture_.labelText(QTest::currentDataTag()), expected);
        QCOMPARE(fixture_.slider()->toolTip(), " 24 bits in mask.");
        QCOMPARE(fixture_.statusText(), "");
    }

    // A recalculation would clear the status bar and fill the class field, so
    // both stay as they were when nothing ran.
    void refusedKeystrokeChangesNothing_data() {
        QTest::addColumn<int>("setup");
        QTest::addColumn<char>("key");

        QTest::newRow("letter, empty box") << int(EmptyBox) << 'a';
        QTest::newRow("blank, empty box") << int(EmptyBox) << ' ';
        QTest::newRow("letter on selected digits") << int(DigitsSelected) << 'x';
        QTest::newRow("blank on selected digits") << int(DigitsSelected) << ' ';
        QTest::newRow("minus on selected digits") << int(DigitsSelected) << '-';
        QTest::newRow("dot on selected digits") << int(DigitsSelected) << '.';
        QTest::newRow("fourth digit") << int(CursorAtEnd) << '7';
        QTest::newRow("letter after three digits") << int(CursorAtEnd) << 'q';
    }

    void refusedKeystrokeChangesNothing() {
        QFETCH(int, setup);
        QFETCH(char, key);

        QString text;
        QString status = "Enter an IP address above.";
        QString addressClass;
        if (setup != EmptyBox) {
            // "255" is refused on leaving: the box keeps the focus with its
            // digits selected and the status bar holds the reason.
            text = "255";
            QTest::keyClicks(box(1), text);
            QTest::keyClick(box(1), Qt::Key_Tab);
            QTRY_COMPARE(fixture_.focusName(), "txtOct1");
            QTRY_COMPARE(box(1)->selectedText(), text);
            status = kBroadcast;
            addressClass = "E";
            QCOMPARE(fixture_.statusText(), status);
        }
        if (setup == CursorAtEnd)
            QTest::keyClick(box(1), Qt::Key_End);

        QTest::keyClick(box(1), key);

        QCOMPARE(box(1)->text(), text);
        QCOMPARE(fixture_.statusText(), status);
        QCOMPARE(fixture_.labelText("lblClass"), addressClass);
    }

    // A text that is no whole address: the mask takes the digits that fit its
    // three places, the digits of other scripts become ASCII, and the status
    // bar says when that was not all of it.
    void pasteKeepsDigitsOnly_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("status");

        const QString partly = "Not an IPv4 address; only the digits that fit were pasted.";
        QTest::newRow("digits") << "192"
                                << "192"
                                << "";
        QTest::newRow("address cut short") << "192.168.1"
                                           << "192" << partly;
        QTest::newRow("negative") << "-5"
                                  << "5" << partly;
        QTest::newRow("blanks around") << " 7 "
                                       << "7"
                                       << "";
        QTest::newRow("four digits") << "1234"
                                     << "123" << partly;
        QTest::newRow("letters") << "abc"
                                 << ""
                                 << "Not an IPv4 address; nothing was pasted.";
        QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("١٩٢") << "192"
                                             << "";
    }

    void pasteKeepsDigitsOnly() {
        QFETCH(QString, clipboard);
        QFETCH(QString, text);
        QFETCH(QString, status);
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(box(1), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box(1)->text(), text);
        const QString hex = text.isEmpty() ? "00" : QString::number(text.toInt(), 16).toUpper();
        if (!text.isEmpty())
            QCOMPARE(fixture_.labelText("lblHexIPAddr"), hex + ".00.00.00");
        QCOMPARE(fixture_.statusText(), status);
    }

    void textIsTheDigitsTyped_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hex");

        QTest::newRow("one digit") << "7"
                                   << "7"
                                   << "7.00.00.00";
        QTest::newRow("all digits deleted") << "7\b"
                                            << ""
                                            << "00.00.00.00";
        QTest::newRow("zero") << "0"
                              << "0"
                              << "0.00.00.00";
        QTest::newRow("leading zeros") << "007"
                                       << "007"
                                       << "7.00.00.00";
        QTest::newRow("digits deleted and retyped") << "123\b\b3"
                                                    << "13"
                                                    << "D.00.00.00";
    }

    void textIsTheDigitsTyped() {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(QString, hex);
        QTest::keyClicks(box(1), keys);
        QCOMPARE(box(1)->text(), text);
        QCOMPARE(fixture_.labelText("lblHexIPAddr"), hex);
        QCOMPARE(fixture_.labelText("lblClass"), "A");
    }
};

QUELLAN_WINDOW_TEST_MAIN(TypingTest)
#include "typing_test.moc"
