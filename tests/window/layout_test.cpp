// The window as it opens: every control where the layout puts it, with its
// initial text and look, and what resizing does to it.

#include "layout_table.h"
#include "window_test_support.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

using quellan::Quellan;
using quellan::test::WindowFixture;

namespace {

enum Look { Caption, Value, Plain };

QString shownText(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* frame = qobject_cast<QGroupBox*>(control))
        return frame->title();
    if (auto* button = qobject_cast<QPushButton*>(control))
        return button->text();
    if (auto* box = qobject_cast<QLineEdit*>(control))
        return box->displayText();
    if (auto* bar = qobject_cast<QStatusBar*>(control))
        return bar->findChild<QLabel*>()->text();
    return {};
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

    WindowFixture fixture_;

private slots:
    void init() { QVERIFY(fixture_.open()); }
    void cleanup() { fixture_.close(); }

    void controls_data() {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("look");
        QTest::addColumn<int>("alignment");

        const QString zeros = "00000000.00000000.00000000.00000000";
        const int right = Qt::AlignRight;
        const int centre = Qt::AlignHCenter;
        const int left = Qt::AlignLeft;
        auto row = [](const char* name, const char* container, QRect twips, const QString& text,
                      Look look = Plain, int alignment = 0) {
            QTest::newRow(name) << container << twips << text << int(look) << alignment;
        };
        row("Label1", "Quellan", {120, 120, 1935, 255}, "Enter the IP address here :", Caption,
            right);
        row("txtOct1", "Quellan", {2160, 120, 375, 255}, "___");
        row("Label9", "Quellan", {2520, 120, 135, 255}, ".", Caption, centre);
        row("txtOct2", "Quellan", {2640, 120, 375, 255}, "___");
        row("Label10", "Quellan", {3000, 120, 135, 255}, ".", Caption, centre);
        row("txtOct3", "Quellan", {3120, 120, 375, 255}, "___");
        row("Label11", "Quellan", {3480, 120, 135, 255}, ".", Caption, centre);
        row("txtOct4", "Quellan", {3600, 120, 375, 255}, "___");
        row("Label14", "Quellan", {120, 480, 5055, 255},
            "Drag the slider below to change the Network mask :", Caption, left);
        row("Slider1", "Quellan", {0, 720, 5295, 510}, "");
        row("Frame4", "Quellan", {0, 1200, 5415, 1335}, "Host Information");
        row("Frame3", "Quellan", {0, 2640, 5415, 2055}, "Network Mask Information");
        row("Frame1", "Quellan", {0, 4800, 5415, 1695}, "Network Information");
        row("StatusBar1", "Quellan", {0, 6510, 5415, 255}, "Enter an IP address above.");

        row("Label8", "Frame4", {120, 240, 1815, 255}, "Decimal IP address :", Caption, right);
        row("lbl32Decimal", "Frame4", {2040, 240, 1695, 255}, "", Value, centre);
        row("Label5", "Frame4", {600, 600, 1335, 255}, "Binary IP address :", Caption, right);
        row("lblBinIPAddr", "Frame4", {2040, 600, 3255, 255}, zeros, Value, centre);
        row("Label20", "Frame4", {120, 960, 1815, 255}, "Hexadecimal IP address :", Caption, right);
        row("lblHexIPAddr", "Frame4", {2040, 960, 1695, 255}, "00.00.00.00", Value, centre);

        row("Label7", "Frame3", {720, 240, 1215, 255}, "Address Class :", Caption, right);
        row("lblClass", "Frame3", {2040, 240, 375, 255}, "", Value, centre);
        row("Label16", "Frame3", {3000, 240, 1815, 255}, "Number of bits in mask :", Caption,
            right);
        row("lblBits", "Frame3", {4920, 240, 375, 255}, "0", Value, centre);
        row("Label15", "Frame3", {120, 600, 1815, 255}, "Classfull Network Mask :", Caption, right);
        row("lblClassfull", "Frame3", {2040, 600, 1695, 255}, "", Value, centre);
        row("Command1", "Frame3", {3840, 600, 1455, 255}, "&Set default mask");
        row("Label6", "Frame3", {120, 960, 1815, 255}, "Classless Network Mask :", Caption, right);
        row("lblNetMask", "Frame3", {2040, 960, 1695, 255}, "", Value, centre);
        row("Label2", "Frame3", {120, 1320, 1815, 255}, "Hex Network Mask :", Caption, right);
        row("lblHexMask", "Frame3", {2040, 1320, 1695, 255}, "00.00.00.00", Value, centre);
        row("Label13", "Frame3", {240, 1680, 1695, 255}, "Binary Network mask :", Caption, right);
        row("lblBinMask", "Frame3", {2040, 1680, 3255, 255}, zeros, Value, centre);

        row("Label17", "Frame1", {120, 240, 1815, 255}, "Usable address range :", Caption, right);
        row("lblHosts", "Frame1", {2040, 240, 3255, 255}, "255.255.255.255 - 255.255.255.255",
            Value, centre);
        row("Label12", "Frame1", {600, 600, 1335, 255}, "Network Address :", Caption, right);
        row("lblNetNumber", "Frame1", {2040, 600, 1695, 255}, "", Value, centre);
        row("Label18", "Frame1", {240, 960, 1695, 255}, "Broadcast Address :", Caption, right);
        row("lblBroadcast", "Frame1", {2040, 960, 1695, 255}, "", Value, centre);
        row("Label3", "Frame1", {480, 1320, 1095, 255}, "Max hosts :", Caption, right);
        row("lblMaxHosts", "Frame1", {1680, 1320, 1335, 255}, "0", Value, centre);
        row("Label4", "Frame1", {3120, 1320, 735, 255}, "Max nets :", Caption, right);
        row("lblMaxNets", "Frame1", {3960, 1320, 1335, 255}, "0", Value, centre);
    }

    void controls() {
        QFETCH(QString, container);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        QFETCH(int, look);
        QFETCH(int, alignment);

        QWidget* control = fixture_.find(QTest::currentDataTag());
        QVERIFY(control);
        QCOMPARE(control->parentWidget()->objectName(), container);
        QCOMPARE(control->geometry(),
                 QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
        QCOMPARE(shownText(control), text);
        if (look == Plain)
            return;
        auto* label = qobject_cast<QLabel*>(control);
        QVERIFY(label);
        QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
        QCOMPARE(label->frameShape(), look == Value ? QFrame::Panel : QFrame::NoFrame);
        if (look == Value)
            QCOMPARE(label->frameShadow(), QFrame::Sunken);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    void windowProperties() {
        Quellan& window = fixture_.window();
        QCOMPARE(window.objectName(), "Quellan");
        QCOMPARE(window.windowTitle(), "Brevint Quellan");
        QCOMPARE(window.size(), QSize(361, 451));
        const QList<QSize> iconSizes = window.windowIcon().availableSizes();
        QVERIFY(iconSizes.contains(QSize(16, 16)));
        QVERIFY(iconSizes.contains(QSize(32, 32)));
        QCOMPARE(fixture_.focusName(), "txtOct1");

        QSlider* slider = fixture_.slider();
        QCOMPARE(slider->value(), 1);
        QVERIFY(slider->isEnabled());
        QCOMPARE(slider->toolTip(), "");
        QCOMPARE(slider->minimum(), 1);
        QCOMPARE(slider->maximum(), 32);
        QCOMPARE(slider->orientation(), Qt::Horizontal);
        QCOMPARE(slider->tickPosition(), QSlider::TicksBelow);
        QCOMPARE(slider->tickInterval(), 1);

        auto* button = fixture_.find<QPushButton>("Command1");
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
        QVERIFY(!fixture_.find<QStatusBar>("StatusBar1")->isSizeGripEnabled());
        for (const auto* frame : window.findChildren<QGroupBox*>())
            QCOMPARE(frame->focusPolicy(), Qt::NoFocus);
    }

    // The layout leaves little room: each text must fit inside its control's
    // border in the window's font, or part of it is cut off.
    void longestTextsFit_data() {
        QTest::addColumn<QString>("text");

        // A caption row without text checks the caption's own text.
        for (const char* caption :
             {"Label1", "Label9", "Label10", "Label11", "Label14", "Label8", "Label5", "Label20",
              "Label7", "Label16", "Label15", "Label6", "Label2", "Label13", "Label17", "Label12",
              "Label18", "Label3", "Label4"})
            QTest::newRow(caption) << QString();
        QTest::newRow("lblBinIPAddr") << "11111111.11111111.11111111.11111111";
        QTest::newRow("lblBinMask") << "11111111.11111111.11111111.11111111";
        QTest::newRow("lblHosts") << "255.255.255.255 - 255.255.255.255";
        for (const char* name : {"lblClassfull", "lblNetMask", "lblNetNumber", "lblBroadcast"})
            QTest::newRow(name) << "255.255.255.255";
        QTest::newRow("lblHexIPAddr") << "FF.FF.FF.FF";
        QTest::newRow("lblHexMask") << "FF.FF.FF.FF";
        QTest::newRow("lbl32Decimal") << "4294967295";
        QTest::newRow("lblMaxHosts") << "4294967294";
        QTest::newRow("lblMaxNets") << "4294967294";
        QTest::newRow("lblBits") << " 32";
        QTest::newRow("lblClass") << "E";
    }

    void longestTextsFit() {
        QFETCH(QString, text);
        auto* label = fixture_.find<QLabel>(QTest::currentDataTag());
        QVERIFY(label);
        if (text.isNull())
            text = label->text();
        QVERIFY2(label->fontMetrics().horizontalAdvance(text) <= label->contentsRect().width(),
                 qPrintable(QString("%1 px of text in %2 px")
                                .arg(label->fontMetrics().horizontalAdvance(text))
                                .arg(label->contentsRect().width())));
    }

    void resizingMovesOnlyTheStatusBar_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("larger") << QSize(800, 700);
        QTest::newRow("smaller") << QSize(200, 150);
        QTest::newRow("wider only") << QSize(500, 451);
    }

    void resizingMovesOnlyTheStatusBar() {
        QFETCH(QSize, size);
        Quellan& window = fixture_.window();
        auto* statusBar = fixture_.find<QStatusBar>("StatusBar1");
        QHash<QString, QRect> before;
        for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindChildrenRecursively))
            if (!control->objectName().isEmpty() && control != statusBar &&
                !statusBar->isAncestorOf(control))
                before.insert(control->objectName(), control->geometry());

        window.resize(size);
        QTRY_COMPARE(window.size(), size);

        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QCOMPARE(fixture_.find(it.key())->geometry(), it.value());
        QCOMPARE(statusBar->geometry(), QRect(0, size.height() - 17, size.width(), 17));
    }
};

QUELLAN_WINDOW_TEST_MAIN(LayoutTest)
#include "layout_test.moc"
