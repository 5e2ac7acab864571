// The window as it opens: every control where the layout puts it, with its
// initial text and look; what resizing does to it; and the frames and labels
// that keep what they drew, pixel for pixel as Qt's own draw them.

#include "frame_box.h"
#include "layout_table.h"
#include "png_reading.h"
#include "text_label.h"
#include "window_test_support.h"

#include <QFile>
#include <QGroupBox>
#include <QImageReader>
#include <QLineEdit>
#include <QPixmapCache>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>

using quellan::Quellan;
using quellan::test::WindowFixture;

namespace {

enum Look { Caption, Value, Plain };

// What happens to a label after it has been drawn once.
enum class LabelChange { None, Retext, OtherScript, Narrower, Taller, Realigned, Disabled };

// What happens to a frame after it has been drawn once.
enum class FrameChange { None, Disabled, Restyled, Resized, Retitled, Untitled, Covered };

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

    // First, while nothing in this program has read an image yet: opened,
    // painted and typed into, the window loads no image-format plugin; the
    // Fusion style finds its frame picture where QPixmap looks for a file
    // read before; and that picture is the file as Qt itself decodes it.
    void framesDrawWithoutImagePlugins() {
        if (fixture_.window().style()->name() != QLatin1String("fusion"))
            QSKIP("the frames draw from a picture under the Fusion style only");
        QTest::keyClicks(fixture_.find<QLineEdit>("txtOct1"), "10");
        fixture_.window().grab();
        QCoreApplication::processEvents();
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("/imageformats/"));

        const QString path = quellan::fusionFramePath();
        QPixmap kept;
        QVERIFY(QPixmapCache::find(quellan::pixmapCacheKey(path), &kept));
        QCOMPARE(QPixmap(path).cacheKey(), kept.cacheKey());
        const QImage keptImage = kept.toImage();
        QCOMPARE(keptImage, QImageReader(path).read().convertToFormat(keptImage.format()));
    }

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

    void framesLookAsPlainGroupBoxes_data() {
        QTest::addColumn<QString>("frame");
        QTest::addColumn<FrameChange>("change");
        QTest::newRow("Frame4 as shown") << "Frame4" << FrameChange::None;
        QTest::newRow("Frame3 as shown") << "Frame3" << FrameChange::None;
        QTest::newRow("Frame1 as shown") << "Frame1" << FrameChange::None;
        QTest::newRow("Frame3 disabled") << "Frame3" << FrameChange::Disabled;
        QTest::newRow("Frame1 restyled") << "Frame1" << FrameChange::Restyled;
        QTest::newRow("Frame1 resized") << "Frame1" << FrameChange::Resized;
        QTest::newRow("Frame4 retitled") << "Frame4" << FrameChange::Retitled;
        QTest::newRow("Frame4 untitled") << "Frame4" << FrameChange::Untitled;
        QTest::newRow("Frame3 over a control") << "Frame3" << FrameChange::Covered;
    }

    // A frame drawn from its kept picture, on the window's background, has
    // every pixel of a plain group box drawn there, also after a change.
    void framesLookAsPlainGroupBoxes() {
        QFETCH(QString, frame);
        QFETCH(FrameChange, change);
        auto* shown = fixture_.find<QGroupBox>(frame);
        // Drawn again, the window's frames come from their pictures: no control
        // lies beneath. A scaled screen has none.
        const bool unscaled = shown->devicePixelRatioF() == 1.0;
        shown->repaint();
        QTRY_COMPARE(dynamic_cast<const quellan::FrameBox&>(*shown).drawsFramePicture(), unscaled);
        QWidget plainWindow;
        QWidget keptWindow;
        QGroupBox* plain = new QGroupBox(shown->title(), &plainWindow);
        auto* kept = new quellan::FrameBox(shown->title(), &keptWindow);
        for (QGroupBox* box : {plain, static_cast<QGroupBox*>(kept)}) {
            box->parentWidget()->setFont(fixture_.window().font());
            box->parentWidget()->resize(fixture_.window().size());
            box->setGeometry(shown->geometry());
            box->parentWidget()->grab();
            QCoreApplication::processEvents();
            switch (change) {
            case FrameChange::None:
                break;
            case FrameChange::Disabled:
                box->setEnabled(false);
                break;
            case FrameChange::Restyled:
                box->setStyle(QStyleFactory::create(QStringLiteral("Windows")));
                box->style()->setParent(box);
                break;
            case FrameChange::Resized:
                box->resize(box->width() - 40, box->height() + 25);
                break;
            case FrameChange::Retitled:
                box->setTitle(QStringLiteral("Subnet Information and more"));
                break;
            case FrameChange::Untitled:
                box->setTitle(QString());
                break;
            case FrameChange::Covered: {
                auto* beneath = new QLabel(QStringLiteral("beneath"), box->parentWidget());
                beneath->setGeometry(box->geometry().adjusted(0, 20, 0, 0));
                beneath->stackUnder(box);
                beneath->show();
                break;
            }
            }
        }
        keptWindow.grab();
        QTRY_COMPARE(kept->drawsFramePicture(), unscaled && change != FrameChange::Covered);

        QCOMPARE(keptWindow.grab().toImage(), plainWindow.grab().toImage());
    }

    void labelsLookAsPlainLabels_data() {
        QTest::addColumn<LabelChange>("change");
        QTest::newRow("as shown") << LabelChange::None;
        QTest::newRow("new text") << LabelChange::Retext;
        QTest::newRow("text from another font") << LabelChange::OtherScript;
        QTest::newRow("narrower") << LabelChange::Narrower;
        QTest::newRow("taller") << LabelChange::Taller;
        QTest::newRow("realigned") << LabelChange::Realigned;
        QTest::newRow("disabled") << LabelChange::Disabled;
    }

    // Every label of the window, drawn from its kept layout, has every pixel
    // of a plain QLabel set up alike, also after a change.
    void labelsLookAsPlainLabels() {
        QFETCH(LabelChange, change);
        qsizetype compared = 0;
        for (const QLabel* shown : fixture_.window().findChildren<QLabel*>()) {
            if (dynamic_cast<const quellan::TextLabel*>(shown) == nullptr)
                continue;
            QWidget plainWindow;
            QWidget keptWindow;
            auto* plain = new QLabel(&plainWindow);
            auto* kept = new quellan::TextLabel(&keptWindow);
            for (QLabel* label : {plain, static_cast<QLabel*>(kept)}) {
                label->parentWidget()->setFont(fixture_.window().font());
                label->parentWidget()->resize(shown->size() + QSize(20, 20));
                label->setTextFormat(shown->textFormat());
                label->setText(shown->text().isEmpty() ? QStringLiteral("255.255.255.0")
                                                       : shown->text());
                label->setAlignment(shown->alignment());
                label->setFrameStyle(shown->frameStyle());
                label->setGeometry(QRect(QPoint(3, 2), shown->size()));
                label->parentWidget()->grab();
                switch (change) {
                case LabelChange::None:
                    break;
                case LabelChange::Retext:
                    label->setText(label->text() + QStringLiteral(" 1"));
                    break;
                case LabelChange::OtherScript:
                    label->setText(QStringLiteral("\u263A ") + label->text());
                    break;
                case LabelChange::Narrower:
                    label->resize(label->width() - 7, label->height() - 2);
                    break;
                case LabelChange::Taller:
                    label->resize(label->width(), label->height() + 3);
                    break;
                case LabelChange::Realigned:
                    label->setAlignment(Qt::AlignRight | Qt::AlignBottom);
                    break;
                case LabelChange::Disabled:
                    label->setEnabled(false);
                    break;
                }
            }
            QCOMPARE(keptWindow.grab().toImage(), plainWindow.grab().toImage());
            ++compared;
        }
        const auto rows = quellan::layoutTable();
        QCOMPARE(compared, std::count_if(rows.begin(), rows.end(), [](const auto& row) {
                     return row.kind == quellan::ControlKind::Caption ||
                            row.kind == quellan::ControlKind::ValueLabel;
                 }));
    }
};

QUELLAN_WINDOW_TEST_MAIN(LayoutTest)
#include "layout_test.moc"
