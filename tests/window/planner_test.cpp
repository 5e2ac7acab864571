// The planner window: opened from the main window on its network, its keys
// that split, join and label subnets, each undone and redone, and its files:
// saved whole, refused whole, and never closed over unsaved changes.

#include "modal_answers.h"
#include "networks/operand_text.h"
#include "plan_model.h"
#include "plan_tree_delegate.h"
#include "planner_window.h"
#include "plans/plan_csv.h"
#include "plans/plan_file.h"
#include "window_test_support.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTableView>

#include <cmath>
#include <fstream>
#include <memory>
#include <string>

using quellan::Plan;
using quellan::PlanModel;
using quellan::PlannerWindow;
using quellan::test::ModalAnswers;
using quellan::test::WindowFixture;

namespace {

quellan::Block net(const char* text) {
    return quellan::parseNetwork(text).block;
}

Plan planOf(const char* network) {
    const quellan::Block block = net(network);
    return quellan::newPlan(std::span(&block, 1), quellan::Profile::Standard).plan;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool writeBytes(const QString& path, const std::string& bytes) {
    std::ofstream out(QFile::encodeName(path).toStdString(), std::ios::binary);
    out << bytes;
    return static_cast<bool>(out.flush());
}

} // namespace

class PlannerTest : public QObject {
    Q_OBJECT

    WindowFixture fixture_;
    std::unique_ptr<PlannerWindow> planner_;
    std::unique_ptr<ModalAnswers> answers_;
    std::unique_ptr<QTemporaryDir> directory_;

    QTableView* table() { return planner_->findChild<QTableView*>("planTable"); }
    PlanModel* model() { return qobject_cast<PlanModel*>(table()->model()); }
    QAction* action(const char* name) { return planner_->findChild<QAction*>(name); }
    QString file(const char* name) { return directory_->filePath(name); }

    bool openPlanner(Plan plan, const QString& path = {}) {
        planner_ = std::make_unique<PlannerWindow>(std::move(plan), path);
        planner_->show();
        planner_->activateWindow();
        return QTest::qWaitForWindowActive(planner_.get());
    }

    // "10.0.0.0/25 free; 10.0.0.128/25 Servers 100": each subnet, its name
    // and its VLAN where it has one.
    QString subnetRows() {
        QStringList rows;
        for (int row = 0; row < model()->rowCount(); ++row) {
            if (model()->subnetAt(row) == nullptr)
                continue;
            QString text = model()->index(row, PlanModel::SubnetColumn).data().toString() + ' ' +
                           model()->index(row, PlanModel::NameColumn).data().toString();
            const QString vlan = model()->index(row, PlanModel::VlanColumn).data().toString();
            if (!vlan.isEmpty())
                text += ' ' + vlan;
            rows << text;
        }
        return rows.join("; ");
    }

    QString currentSubnet() {
        return model()->index(table()->currentIndex().row(), 0).data().toString();
    }

    // Keys as a user presses them, a step at a time: "split", "join",
    // "undo", "redo", arrows, "extend" (Shift+Down), "click:ROW:LENGTH" (on
    // a bar of the tree), "keep:lower" (whose labels a join's question
    // keeps), "type:TEXT" (F2, the text, Enter), "enter:TEXT" (the same
    // with Enter), "menu:ACTION" (an entry without a key), "set:FIELD=VALUE"
    // (what the next dialogs are filled with), "cancel" (they are
    // cancelled), each action's key by its name ("splitTo", "hosts",
    // "labels", "find", "copy", ...), and "save", "saveAs", "open" and "close".
    void play(const QString& script) {
        using Qt::ControlModifier, Qt::ShiftModifier;
        struct StepKey {
            const char* step;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
        };
        static const StepKey keys[] = {
            {"split", Qt::Key_D, ControlModifier},
            {"splitTo", Qt::Key_D, ControlModifier | ShiftModifier},
            {"join", Qt::Key_J, ControlModifier},
            {"hosts", Qt::Key_H, ControlModifier},
            {"labels", Qt::Key_E, ControlModifier},
            {"undo", Qt::Key_Z, ControlModifier},
            {"redo", Qt::Key_Z, ControlModifier | ShiftModifier},
            {"down", Qt::Key_Down, {}},
            {"up", Qt::Key_Up, {}},
            {"right", Qt::Key_Right, {}},
            {"left", Qt::Key_Left, {}},
            {"extend", Qt::Key_Down, ShiftModifier},
            {"addNetwork", Qt::Key_N, ControlModifier | ShiftModifier},
            {"moveNetwork", Qt::Key_M, ControlModifier | ShiftModifier},
            {"removeNetwork", Qt::Key_Delete, ControlModifier | ShiftModifier},
            {"find", Qt::Key_F, ControlModifier},
            {"findNext", Qt::Key_F3, {}},
            {"copy", Qt::Key_C, ControlModifier},
            {"save", Qt::Key_S, ControlModifier},
            {"saveAs", Qt::Key_S, ControlModifier | ShiftModifier},
            {"open", Qt::Key_O, ControlModifier},
            {"close", Qt::Key_W, ControlModifier},
        };
        for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY2(focus != nullptr, qPrintable(step));
            const auto key = std::find_if(std::begin(keys), std::end(keys),
                                          [&step](const StepKey& key) { return step == key.step; });
            if (key != std::end(keys)) {
                QTest::keyClick(focus, key->key, key->modifiers);
            } else if (step.startsWith("click:")) {
                // "click:ROW:LENGTH": on the tree's bar for that block of the row.
                const QStringList at = step.split(':');
                const auto* tree = qobject_cast<quellan::PlanTreeDelegate*>(
                    table()->itemDelegateForColumn(PlanModel::TreeColumn));
                QTest::mouseClick(table()->viewport(), Qt::LeftButton, {},
                                  tree->barCentre(at.at(1).toInt(), at.at(2).toInt()));
            } else if (step.startsWith("keep:")) {
                // A sibling's join asks label by label, a block's as a whole.
                const bool lower = step == "keep:lower";
                answers_->fields["planJoinKeep"] = lower ? "0" : "1";
                answers_->named = lower ? "planJoinKeepLower" : "planJoinKeepUpper";
            } else if (step.startsWith("menu:")) {
                // An entry that has no key, chosen from its menu.
                action(qPrintable(step.mid(5)))->trigger();
            } else if (step == "cancel") {
                answers_->named = "cancel";
            } else if (step.startsWith("set:")) {
                // set:NAME=VALUE, "_" for a blank and "|" for a line end.
                const QString field = step.mid(4).section('=', 0, 0);
                QString value = step.section('=', 1);
                answers_->fields[field] = value.replace('_', ' ').replace('|', '\n');
            } else if (step.startsWith("type:") || step.startsWith("enter:")) {
                QTest::keyClick(focus, step.startsWith("type:") ? Qt::Key_F2 : Qt::Key_Return);
                QTRY_VERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr);
                QLineEdit* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                editor->selectAll();
                QTest::keyClicks(editor, step.section(':', 1).replace('_', ' '));
                QTest::keyClick(editor, Qt::Key_Return);
            } else {
                QFAIL(qPrintable("no such step: " + step));
            }
            // A refusal is shown from the event loop, once the key is done.
            QTest::qWait(20);
            QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
            // A window manager gives the planner back the keyboard when a
            // box closes; the offscreen platform is asked to.
            if (planner_->isVisible() && !planner_->isActiveWindow()) {
                planner_->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(planner_.get()));
            }
        }
    }

    // Ctrl+Z until there is nothing left to undo.
    void undoAll() {
        for (int i = 0; i < 100 && action("planUndo")->isEnabled(); ++i)
            QTest::keyClick(table(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!action("planUndo")->isEnabled());
    }

private slots:
    void init() {
        // The view's complaints of editors misused are faults of the planner's.
        QTest::failOnWarning(QRegularExpression("^QAbstractItemView::"));
        QSettings().clear();
        answers_ = std::make_unique<ModalAnswers>();
        directory_ = std::make_unique<QTemporaryDir>();
        QVERIFY(directory_->isValid());
    }
    void cleanup() {
        planner_.reset();
        fixture_.close();
        answers_.reset();
        directory_.reset();
    }

    // Ctrl+P anywhere in the main window, or "Plan…" in a result's menu:
    // a new plan of the address at the slider's length.
    void opensFromTheMainWindow_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("bits");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("network");
        QTest::newRow("Ctrl+P on the slider, /26") << "192.168.1.10"
                                                   << "26"
                                                   << "Slider1"
                                                   << "192.168.1.0/26";
        QTest::newRow("Ctrl+P in a box, class default") << "10.1.2.3"
                                                        << ""
                                                        << "txtOct2"
                                                        << "10.0.0.0/8";
        QTest::newRow("Ctrl+P, shorter than the class") << "172.16.5.4"
                                                        << "12"
                                                        << "Slider1"
                                                        << "172.16.0.0/12";
        QTest::newRow("menu of lblNetNumber") << "192.168.1.10"
                                              << "30"
                                              << "lblNetNumber"
                                              << "192.168.1.8/30";
    }
    void opensFromTheMainWindow() {
        QFETCH(QString, address);
        QFETCH(QString, bits);
        QFETCH(QString, from);
        QFETCH(QString, network);
        QVERIFY(fixture_.open());
        const QStringList octets = address.split('.');
        for (int number = 1; number <= 4; ++number) {
            auto* box = fixture_.find<QLineEdit>(QString("txtOct%1").arg(number));
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(box, octets.value(number - 1));
        }
        if (!bits.isEmpty()) {
            fixture_.slider()->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(fixture_.slider(), bits);
        }
        QWidget* target = fixture_.find(from);
        if (qobject_cast<QLabel*>(target) != nullptr) {
            quellan::test::chooseFromContextMenu(target, "Plan…");
        } else {
            target->setFocus(Qt::OtherFocusReason);
            QTRY_COMPARE(fixture_.focusName(), from);
            QTest::keyClick(target, Qt::Key_P, Qt::ControlModifier);
        }
        auto* opened = fixture_.find<PlannerWindow>("Planner");
        QVERIFY(opened != nullptr);
        QTRY_VERIFY(opened->isVisible());
        QVERIFY(opened->isWindow());
        QCOMPARE(opened->plan().networks.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(quellan::cidrText(opened->plan().networks[0].block)),
                 network);
        QVERIFY(opened->windowTitle().contains("Plan of " + network));
        auto* rows = opened->findChild<QTableView*>("planTable")->model();
        QCOMPARE(rows->rowCount(), 2);
        QCOMPARE(rows->index(1, PlanModel::SubnetColumn).data().toString(), network);
        QCOMPARE(rows->index(1, PlanModel::NameColumn).data().toString(), "free");
        // The planner owns its plan: it goes when it is closed.
        opened->close();
        QTRY_VERIFY(fixture_.find<PlannerWindow>("Planner") == nullptr);
    }

    // What a row reads, cell by cell: a network's row with what is free of
    // it, a subnet's with its profile's usable range, either family.
    // Closing the main window closes its planners as their own close does:
    // unsaved changes are asked about first, and Cancel keeps both open.
    void mainWindowAsksItsPlanners_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false;
        QTest::newRow("discard") << int(QMessageBox::Discard) << true;
    }
    void mainWindowAsksItsPlanners() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QVERIFY(fixture_.open());
        auto* box = fixture_.find<QLineEdit>("txtOct1");
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, "10");
        QTest::keyClick(box, Qt::Key_P, Qt::ControlModifier);
        QPointer<PlannerWindow> planner = fixture_.find<PlannerWindow>("Planner");
        QVERIFY(planner != nullptr);
        auto* table = planner->findChild<QTableView*>("planTable");
        QTRY_COMPARE(QApplication::focusWidget(), table);
        QTest::keyClick(table, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(planner->isWindowModified());
        answers_->standard = static_cast<QMessageBox::StandardButton>(answer);
        QCOMPARE(fixture_.window().close(), closed);
        QCOMPARE(answers_->said.size(), qsizetype{1});
        QVERIFY(answers_->said.front().startsWith("planUnsaved: "));
        QCOMPARE(fixture_.window().isVisible(), !closed);
        QTRY_COMPARE(planner.isNull(), closed);
    }

    void rowTexts_data() {
        QTest::addColumn<QString>("network");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("named");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        // What a screen reader says for the row, in any of its cells.
        QTest::addColumn<QString>("sentence");
        QTest::newRow("network, all free") << "10.0.0.0/24"
                                           << "standard"
                                           << "" << 0 << "10.0.0.0/24|255.255.255.0|all free|||||"
                                           << "Network 10.0.0.0/24, all free";
        QTest::newRow("free subnet")
            << "10.0.0.0/24"
            << "standard"
            << "" << 1 << "10.0.0.0/24|255.255.255.0|10.0.0.1 – 10.0.0.254|254|free|||"
            << "10.0.0.0/24, free, 254 usable";
        QTest::newRow("network, half named")
            << "10.0.0.0/24"
            << "standard"
            << "10.0.0.128/25" << 0 << "10.0.0.0/24|255.255.255.0|128 addresses free|||||"
            << "Network 10.0.0.0/24, 128 addresses free";
        QTest::newRow("named subnet, aws")
            << "10.0.0.0/24"
            << "aws"
            << "10.0.0.128/25" << 2
            << "10.0.0.128/25|255.255.255.128|10.0.0.132 – 10.0.0.254|123|Named|||"
            << "10.0.0.128/25, Named, 123 usable";
        QTest::newRow("a /31 of two hosts")
            << "10.0.0.0/31"
            << "standard"
            << "" << 1 << "10.0.0.0/31|255.255.255.254|10.0.0.0 – 10.0.0.1|2|free|||"
            << "10.0.0.0/31, free, 2 usable";
        QTest::newRow("IPv6 subnet")
            << "2001:db8::/64"
            << "aws"
            << "" << 1
            << "2001:db8::/64|/64|2001:db8:: – 2001:db8::ffff:ffff:ffff:ffff|18446744073709551616|"
               "free|||"
            << "2001:db8::/64, free, 18446744073709551616 usable";
        QTest::newRow("IPv6 /0, half named")
            << "::/0"
            << "standard"
            << "::/1" << 0 << "::/0|/0|170141183460469231731687303715884105728 addresses free|||||"
            << "Network ::/0, 170141183460469231731687303715884105728 addresses free";
    }
    void rowTexts() {
        QFETCH(QString, network);
        QFETCH(QString, profile);
        QFETCH(QString, named);
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QString, sentence);
        Plan plan = planOf(network.toLatin1().constData());
        plan.profile = *quellan::profileNamed(profile.toStdString());
        if (!named.isEmpty()) {
            const quellan::Block half = net(named.toLatin1().constData());
            quellan::apply(plan,
                           quellan::splitSubnet(plan, plan.networks[0].block, half.length).change);
            quellan::Labels labels;
            labels.name = "Named";
            const quellan::PlanResult labelled = quellan::labelSubnet(plan, half, labels);
            QVERIFY(labelled.reason.empty());
            quellan::apply(plan, labelled.change);
        }
        QVERIFY(openPlanner(std::move(plan)));
        QStringList cells;
        // The tree's column is drawn, and has no text.
        for (int column = 0; column < PlanModel::TreeColumn; ++column)
            cells << model()->index(row, column).data().toString();
        QCOMPARE(cells.join('|'), text);
        for (const int column : {0, int(PlanModel::NameColumn), PlanModel::ColumnCount - 1})
            QCOMPARE(model()->index(row, column).data(Qt::AccessibleDescriptionRole), sentence);
        // "free" is dimmer than a name; nothing else is.
        const QVariant dimmed = model()->index(row, PlanModel::NameColumn).data(Qt::ForegroundRole);
        QCOMPARE(dimmed.isValid(), cells.at(PlanModel::NameColumn) == "free");
    }

    // Each row's keys on a plan of 10.0.0.0/24; then Ctrl+Z to the start
    // gives the very plan back.
    void actions_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("split") << "split"
                               << "10.0.0.0/25 free; 10.0.0.128/25 free"
                               << "10.0.0.0/25"
                               << "";
        QTest::newRow("split, undo") << "split undo"
                                     << "10.0.0.0/24 free"
                                     << "10.0.0.0/24"
                                     << "";
        QTest::newRow("split, undo, redo") << "split undo redo"
                                           << "10.0.0.0/25 free; 10.0.0.128/25 free"
                                           << "10.0.0.0/25"
                                           << "";
        QTest::newRow("split twice") << "split split"
                                     << "10.0.0.0/26 free; 10.0.0.64/26 free; 10.0.0.128/25 free"
                                     << "10.0.0.0/26"
                                     << "";
        QTest::newRow("split the upper half")
            << "split down split"
            << "10.0.0.0/25 free; 10.0.0.128/26 free; 10.0.0.192/26 free"
            << "10.0.0.128/26"
            << "";
        QTest::newRow("the network's row does not split") << "up split"
                                                          << "10.0.0.0/24 free"
                                                          << "10.0.0.0/24"
                                                          << "";
        QTest::newRow("join from the upper half") << "split down join"
                                                  << "10.0.0.0/24 free"
                                                  << "10.0.0.0/24"
                                                  << "";
        QTest::newRow("join inner halves") << "split split down join"
                                           << "10.0.0.0/25 free; 10.0.0.128/25 free"
                                           << "10.0.0.0/25"
                                           << "";
        QTest::newRow("join, sibling split")
            << "split split down down join"
            << "10.0.0.0/26 free; 10.0.0.64/26 free; 10.0.0.128/25 free"
            << "10.0.0.128/25"
            << "planRefusal: The other half of 10.0.0.128/25, 10.0.0.0/25, is split; join its "
               "parts first.";
        QTest::newRow("join, undo") << "split join undo"
                                    << "10.0.0.0/25 free; 10.0.0.128/25 free"
                                    << "10.0.0.0/25"
                                    << "";
        QTest::newRow("name") << "type:Servers"
                              << "10.0.0.0/24 Servers"
                              << "10.0.0.0/24"
                              << "";
        QTest::newRow("name, undo") << "type:Servers undo"
                                    << "10.0.0.0/24 free"
                                    << "10.0.0.0/24"
                                    << "";
        QTest::newRow("name kept by a split") << "type:Servers split"
                                              << "10.0.0.0/25 Servers; 10.0.0.128/25 Servers"
                                              << "10.0.0.0/25"
                                              << "";
        QTest::newRow("VLAN") << "right right right right right type:100"
                              << "10.0.0.0/24 free 100"
                              << "10.0.0.0/24"
                              << "";
        QTest::newRow("VLAN 4095") << "right right right right right type:4095"
                                   << "10.0.0.0/24 free"
                                   << "10.0.0.0/24"
                                   << "planRefusal: 10.0.0.0/24: VLAN 4095 is not from 1 to 4094.";
        QTest::newRow("VLAN 0") << "right right right right right type:0"
                                << "10.0.0.0/24 free"
                                << "10.0.0.0/24"
                                << "planRefusal: 10.0.0.0/24: VLAN 0 is not from 1 to 4094.";
        QTest::newRow("VLAN not a number")
            << "right right right right right type:ten"
            << "10.0.0.0/24 free"
            << "10.0.0.0/24"
            << "planRefusal: 10.0.0.0/24: VLAN \"ten\" is not a number from 1 to 4094.";
        QTest::newRow("join, names differ, keep the upper's")
            << "split type:A down type:B keep:upper join"
            << "10.0.0.0/24 B"
            << "10.0.0.0/24"
            << "planJoinAsk: 10.0.0.0/25 and 10.0.0.128/25 differ in name (\"A\", \"B\"); say "
               "whose labels to keep.";
        QTest::newRow("join, names differ, keep the lower's")
            << "split type:A down type:B keep:lower join"
            << "10.0.0.0/24 A"
            << "10.0.0.0/24"
            << "planJoinAsk: 10.0.0.0/25 and 10.0.0.128/25 differ in name (\"A\", \"B\"); say "
               "whose labels to keep.";
        QTest::newRow("join, names differ, cancelled")
            << "split type:A down type:B cancel join"
            << "10.0.0.0/25 A; 10.0.0.128/25 B"
            << "10.0.0.128/25"
            << "planJoinAsk: 10.0.0.0/25 and 10.0.0.128/25 differ in name (\"A\", \"B\"); say "
               "whose labels to keep.";
        QTest::newRow("join, keep the upper's name and the lower's VLAN")
            << "split type:A right type:10 down type:20 left type:B set:planJoinKeepName=1 up join"
            << "10.0.0.0/24 B 10"
            << "10.0.0.0/24"
            << "planJoinAsk: 10.0.0.0/25 and 10.0.0.128/25 differ in name (\"A\", \"B\") and "
               "VLAN (10, 20); say "
               "whose labels to keep.";
        QTest::newRow("name by Enter") << "enter:Servers"
                                       << "10.0.0.0/24 Servers"
                                       << "10.0.0.0/24"
                                       << "";
        QTest::newRow("split to a length") << "set:planSplitLength=/26 splitTo"
                                           << "10.0.0.0/26 free; 10.0.0.64/26 free; "
                                              "10.0.0.128/26 free; 10.0.0.192/26 free"
                                           << "10.0.0.0/26"
                                           << "";
        QTest::newRow("split to a count, rounded up") << "set:planSplitCount=3 splitTo"
                                                      << "10.0.0.0/26 free; 10.0.0.64/26 free; "
                                                         "10.0.0.128/26 free; 10.0.0.192/26 free"
                                                      << "10.0.0.0/26"
                                                      << "";
        QTest::newRow("split to a length too long")
            << "set:planSplitLength=/33 splitTo"
            << "10.0.0.0/24 free"
            << "10.0.0.0/24"
            << "planSplitToDialog: The length is a number from 25 to 32.";
        QTest::newRow("IPv6: split to the first nibble offered")
            << "net:2001:db8::/48 splitTo"
            << "2001:db8::/52 free; 2001:db8:0:1000::/52 free; 2001:db8:0:2000::/52 free; "
               "2001:db8:0:3000::/52 free; 2001:db8:0:4000::/52 free; 2001:db8:0:5000::/52 free; "
               "2001:db8:0:6000::/52 free; 2001:db8:0:7000::/52 free; 2001:db8:0:8000::/52 free; "
               "2001:db8:0:9000::/52 free; 2001:db8:0:a000::/52 free; 2001:db8:0:b000::/52 free; "
               "2001:db8:0:c000::/52 free; 2001:db8:0:d000::/52 free; 2001:db8:0:e000::/52 free; "
               "2001:db8:0:f000::/52 free"
            << "2001:db8::/52"
            << "";
        QTest::newRow("plan hosts") << "set:planHostsList=50_Servers|20_Printers hosts"
                                    << "10.0.0.0/26 Servers; 10.0.0.64/27 Printers; "
                                       "10.0.0.96/27 free; 10.0.0.128/25 free"
                                    << "10.0.0.0/26"
                                    << "";
        QTest::newRow("plan hosts, too many")
            << "set:planHostsList=300_Servers hosts"
            << "10.0.0.0/24 free"
            << "10.0.0.0/24"
            << "planHostsListDialog: These hosts need 512 addresses; 10.0.0.0/24 has 256.";
        QTest::newRow("labels dialog") << "set:planLabelName=Web set:planLabelVlan=20 labels"
                                       << "10.0.0.0/24 Web 20"
                                       << "10.0.0.0/24"
                                       << "";
        QTest::newRow("labels dialog, two subnets") << "split extend set:planLabelVlan=30 labels"
                                                    << "10.0.0.0/25 free 30; 10.0.0.128/25 free 30"
                                                    << "10.0.0.0/25"
                                                    << "";
        QTest::newRow("labels dialog, VLAN refused")
            << "set:planLabelVlan=5000 labels"
            << "10.0.0.0/24 free"
            << "10.0.0.0/24"
            << "planLabels: VLAN 5000 is not from 1 to 4094.";
        QTest::newRow("add a network") << "set:planAddNetworkText=2001:db8::/64 addNetwork"
                                       << "10.0.0.0/24 free; 2001:db8::/64 free"
                                       << "2001:db8::/64"
                                       << "";
        QTest::newRow("add an overlapping network")
            << "set:planAddNetworkText=10.0.0.128/25 addNetwork"
            << "10.0.0.0/24 free"
            << "10.0.0.0/24"
            << "planAddNetworkTextDialog: 10.0.0.128/25 overlaps 10.0.0.0/24, a network of the "
               "plan.";
        QTest::newRow("move a network") << "split set:planMoveNetworkText=10.9.0.0/24 moveNetwork"
                                        << "10.9.0.0/25 free; 10.9.0.128/25 free"
                                        << "10.9.0.0/25"
                                        << "";
        QTest::newRow("grow a network") << "set:planMoveNetworkText=10.0.0.0/23 moveNetwork"
                                        << "10.0.0.0/24 free; 10.0.1.0/24 free"
                                        << "10.0.0.0/24"
                                        << "";
        QTest::newRow("remove a network")
            << "set:planAddNetworkText=10.1.0.0/24 addNetwork removeNetwork"
            << "10.0.0.0/24 free"
            << "10.0.0.0/24"
            << "";
        QTest::newRow("find an address") << "set:planSplitLength=/26 splitTo "
                                            "set:planFindText=10.0.0.200 find"
                                         << "10.0.0.0/26 free; 10.0.0.64/26 free; "
                                            "10.0.0.128/26 free; 10.0.0.192/26 free"
                                         << "10.0.0.192/26"
                                         << "";
        QTest::newRow("find a name, then the next") << "split type:Web down type:Web_backup up "
                                                       "set:planFindText=web find findNext"
                                                    << "10.0.0.0/25 Web; 10.0.0.128/25 Web backup"
                                                    << "10.0.0.0/25"
                                                    << "";
        QTest::newRow("tree, the upper half's block") << "split down split click:3:25"
                                                      << "10.0.0.0/25 free; 10.0.0.128/25 free"
                                                      << "10.0.0.128/25"
                                                      << "";
        QTest::newRow("tree, the network from its last row") << "split down split click:3:24"
                                                             << "10.0.0.0/24 free"
                                                             << "10.0.0.0/24"
                                                             << "";
        QTest::newRow("tree, three levels from the first row") << "split split split click:1:24"
                                                               << "10.0.0.0/24 free"
                                                               << "10.0.0.0/24"
                                                               << "";
        QTest::newRow("tree, no bar at the subnet's own length")
            << "split down split click:1:25"
            << "10.0.0.0/25 free; 10.0.0.128/26 free; 10.0.0.192/26 free"
            << "10.0.0.0/25"
            << "";
        QTest::newRow("tree, none on the network's row") << "split click:0:24"
                                                         << "10.0.0.0/25 free; 10.0.0.128/25 free"
                                                         << "10.0.0.0/24"
                                                         << "";
        QTest::newRow("tree, undo") << "split down split click:1:24 undo"
                                    << "10.0.0.0/25 free; 10.0.0.128/26 free; 10.0.0.192/26 free"
                                    << "10.0.0.0/25"
                                    << "";
        QTest::newRow("tree, names differ, keep the last's")
            << "split type:A down split down type:B keep:upper click:1:24"
            << "10.0.0.0/24 B"
            << "10.0.0.0/24"
            << "planJoinAsk: The subnets of 10.0.0.0/24 differ in name (\"A\", \"B\"); say whose "
               "labels to keep.";
        QTest::newRow("tree, the last's name and the first's VLAN")
            << "split type:A right type:10 down split down type:20 left type:B "
               "set:planJoinKeepName=1 click:1:24"
            << "10.0.0.0/24 B 10"
            << "10.0.0.0/24"
            << "planJoinAsk: The subnets of 10.0.0.0/24 differ in name (\"A\", \"B\") and VLAN "
               "(10, 20); say whose labels to keep.";
        QTest::newRow("tree, names differ, cancelled")
            << "split type:A down split down type:B cancel click:2:24"
            << "10.0.0.0/25 A; 10.0.0.128/26 free; 10.0.0.192/26 B"
            << "10.0.0.192/26"
            << "planJoinAsk: The subnets of 10.0.0.0/24 differ in name (\"A\", \"B\"); say whose "
               "labels to keep.";
    }
    void actions() {
        QFETCH(QString, keys);
        QFETCH(QString, rows);
        QFETCH(QString, current);
        QFETCH(QString, refusal);
        // "net:NETWORK" first plans that network instead.
        QString network = "10.0.0.0/24";
        if (keys.startsWith("net:")) {
            network = keys.section(' ', 0, 0).mid(4);
            keys = keys.section(' ', 1);
        }
        const Plan original = planOf(qPrintable(network));
        QVERIFY(openPlanner(original));
        QCOMPARE(currentSubnet(), network);
        play(keys);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(subnetRows(), rows);
        QCOMPARE(currentSubnet(), current);
        QCOMPARE(answers_->said.join('\n'), refusal);
        QCOMPARE(planner_->isWindowModified(), action("planUndo")->isEnabled());
        undoAll();
        QVERIFY(planner_->plan() == original);
        QVERIFY(!planner_->isWindowModified());
        QCOMPARE(subnetRows(), network + " free");
    }

    // What the status bar says after each change, and so what a screen
    // reader announces: its accessible name follows the text.
    void heard_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("said");
        QTest::newRow("split") << "split"
                               << "Split 10.0.0.0/24 into 2 subnets";
        QTest::newRow("undone") << "split undo"
                                << "Undone: Split 10.0.0.0/24 into 2 subnets";
        QTest::newRow("redone") << "split undo redo"
                                << "Split 10.0.0.0/24 into 2 subnets";
        QTest::newRow("join") << "split join"
                              << "Join 10.0.0.0/25 and 10.0.0.128/25 into 10.0.0.0/24";
        QTest::newRow("labels of two subnets") << "split extend set:planLabelName=Lab labels"
                                               << "Label 2 subnets";
        QTest::newRow("found") << "split set:planFindText=10.0.0.200 find"
                               << "Found 10.0.0.128/25";
        QTest::newRow("not found") << "set:planFindText=10.9.9.9 find"
                                   << "No subnet holds or is named “10.9.9.9”";
        QTest::newRow("copied") << "split extend copy"
                                << "Copied 2 rows";
    }
    void heard() {
        QFETCH(QString, keys);
        QFETCH(QString, said);
        QVERIFY(openPlanner(planOf("10.0.0.0/24")));
        play(keys);
        auto* status = planner_->findChild<QLabel*>("planStatus");
        QCOMPARE(status->text(), said);
        QCOMPARE(planner_->statusBar()->accessibleName(), said);
    }

    // Ctrl+C copies the selected rows as the subnet list does: a header
    // line, then a line a row, tab-separated.
    void copiesRows() {
        QVERIFY(openPlanner(planOf("10.0.0.0/24")));
        play("split type:Servers up extend extend copy");
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 "Subnet\tMask\tUsable range\tUsable\tName\tVLAN\tHosts\tNote\n"
                 "10.0.0.0/24\t255.255.255.0\t128 addresses free\t\t\t\t\t\n"
                 "10.0.0.0/25\t255.255.255.128\t10.0.0.1 – 10.0.0.126\t126\tServers\t\t\t\n"
                 "10.0.0.128/25\t255.255.255.128\t10.0.0.129 – 10.0.0.254\t126\tfree\t\t\t\n");
    }

    // File ▸ New asks for networks of either family and a profile.
    void newPlanOfTwoFamilies() {
        QVERIFY(openPlanner(planOf("10.0.0.0/24")));
        answers_->fields["planNewNetworks"] = "2001:db8::/48\n10.1.0.0/16, 10.0.0.0/24";
        answers_->fields["planNewProfile"] = "azure";
        QTest::keyClick(table(), Qt::Key_N, Qt::ControlModifier);
        QTRY_COMPARE(planner_->plan().networks.size(), std::size_t{3});
        QCOMPARE(subnetRows(), "10.0.0.0/24 free; 10.1.0.0/16 free; 2001:db8::/48 free");
        QVERIFY(planner_->plan().profile == quellan::Profile::Azure);
        QVERIFY(!action("planUndo")->isEnabled());
    }

    // Export CSV, then Import CSV, gives the plan back; a sheet the reader
    // refuses opens nothing and says which line is wrong.
    void csvRoundTrip() {
        QVERIFY(openPlanner(planOf("10.0.0.0/24")));
        play("split type:Servers right type:10 down left type:=SUM(A1) right right right "
             "type:Racks_1-4");
        const Plan labelled = planner_->plan();
        answers_->file = file("campus.csv");
        play("menu:planExportCsv");
        QCOMPARE(fileBytes(file("campus.csv")),
                 QByteArray::fromStdString(quellan::planCsvText(labelled)));

        answers_->standard = QMessageBox::Discard;
        play("split menu:planImportCsv");
        QTRY_VERIFY(planner_->plan() == labelled);
        // Imported, not yet saved as a plan.
        QVERIFY(planner_->isWindowModified());

        QVERIFY(writeBytes(file("broken.csv"), "cidr,name\r\n10.0.0.0/33,x\r\n"));
        answers_->file = file("broken.csv");
        answers_->said.clear();
        play("menu:planImportCsv");
        QVERIFY(planner_->plan() == labelled);
        QCOMPARE(answers_->said.size(), qsizetype{2});
        QVERIFY(answers_->said.front().startsWith("planUnsaved: "));
        QVERIFY2(answers_->said.back().startsWith("planReadErrors: " + file("broken.csv") +
                                                  " was not imported:\n" + file("broken.csv") +
                                                  ":2: "),
                 qPrintable(answers_->said.back()));
    }

    // The tree's bars stand out from the rows in a light palette and in a
    // dark one, and the block pointed at stands out from the other bars.
    void treeColours_data() {
        QTest::addColumn<QColor>("base");
        QTest::addColumn<QColor>("text");
        QTest::newRow("light") << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("dark") << QColor(30, 30, 32) << QColor(220, 220, 220);
    }
    void treeColours() {
        QFETCH(QColor, base);
        QFETCH(QColor, text);
        const QPalette before = QApplication::palette();
        const auto restore = qScopeGuard([&before] { QApplication::setPalette(before); });
        QPalette palette = before;
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Text, text);
        QApplication::setPalette(palette);
        Plan plan = planOf("10.0.0.0/24");
        quellan::apply(plan, quellan::splitSubnet(plan, net("10.0.0.0/24"), 26).change);
        QVERIFY(openPlanner(std::move(plan)));
        // The network's row current, so the rows looked at are not selected.
        table()->setCurrentIndex(model()->index(0, 0));
        const auto* tree = qobject_cast<quellan::PlanTreeDelegate*>(
            table()->itemDelegateForColumn(PlanModel::TreeColumn));
        const QPoint bar = tree->barCentre(2, 24);
        // A /26 has bars for /24 and /25 only.
        const QPoint ground = tree->barCentre(2, 26);
        const auto colourAt = [this](const QPoint& point) {
            return table()->viewport()->grab().toImage().pixelColor(point);
        };
        const auto distance = [](const QColor& a, const QColor& b) {
            return std::hypot(a.redF() - b.redF(), a.greenF() - b.greenF(), a.blueF() - b.blueF());
        };
        const QColor plain = colourAt(bar);
        QVERIFY2(distance(plain, colourAt(ground)) > 0.3, qPrintable(plain.name()));
        // From off the bars: a pointer already where it is sent moves nowhere.
        QTest::mouseMove(table()->viewport(), ground);
        QTest::mouseMove(table()->viewport(), tree->barCentre(3, 24));
        QTRY_VERIFY2(distance(colourAt(bar), plain) > 0.2, qPrintable(colourAt(bar).name()));
    }

    // Save As names the file, Save writes it again, and what is written is
    // what the plan's reader takes back; the title follows.
    void savesAndOpens() {
        QVERIFY(openPlanner(planOf("10.0.0.0/24")));
        play("split");
        QVERIFY(planner_->isWindowModified());
        answers_->file = file("campus");
        play("saveAs");
        const QString path = file("campus.qplan");
        QCOMPARE(planner_->filePath(), path);
        QVERIFY(!planner_->isWindowModified());
        QVERIFY(planner_->windowTitle().startsWith("campus.qplan[*]"));
        QCOMPARE(fileBytes(path),
                 QByteArray::fromStdString(quellan::planFileText(planner_->plan())));
        const Plan split = planner_->plan();

        play("undo");
        QVERIFY(planner_->isWindowModified());
        play("save");
        QVERIFY(!planner_->isWindowModified());
        const quellan::PlanRead saved = quellan::readPlanFile(path.toStdString());
        QCOMPARE(saved.errors.size(), std::size_t{0});
        QVERIFY(saved.plan == planOf("10.0.0.0/24"));

        // Redo is a change from what is saved, and Ctrl+O opens the file
        // again only once that change is settled.
        play("redo");
        answers_->standard = QMessageBox::Discard;
        answers_->file = path;
        play("open");
        QTRY_VERIFY(planner_->plan() == saved.plan);
        QVERIFY(planner_->plan() != split);
        QVERIFY(!action("planUndo")->isEnabled());
        QCOMPARE(answers_->said.size(), qsizetype{1});
        QVERIFY(answers_->said.front().startsWith("planUnsaved: "));
    }

    // A save that fails says so, naming the file, and the plan stays
    // unsaved: here the file's directory has gone since it was opened.
    void failedSave() {
        const QString path = file("gone/campus.qplan");
        QVERIFY(openPlanner(planOf("10.0.0.0/24"), path));
        play("split");
        play("save");
        QTRY_COMPARE(answers_->said.size(), qsizetype{1});
        QVERIFY2(answers_->said.front().startsWith("planWriteError: " + path + " was not saved: "),
                 qPrintable(answers_->said.front()));
        QVERIFY(planner_->isWindowModified());
        QVERIFY(!QFile::exists(path));
    }

    // A file the reader refuses opens nothing; its lines are shown.
    void refusedFile_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("error");
        QTest::newRow("VLAN 4095") << R"({"cidr": "10.0.0.0/24"})"
                                   << R"({"cidr": "10.0.0.0/24", "vlan": 4095})"
                                   << ":7: VLAN 4095 is not from 1 to 4094.";
        QTest::newRow("a gap") << R"({"cidr": "10.0.0.0/24"})"
                               << R"({"cidr": "10.0.0.0/25"})"
                               << ":6: 10.0.0.128-10.0.0.255 of 10.0.0.0/24 is in no subnet.";
        QTest::newRow("not JSON") << R"({"cidr": "10.0.0.0/24"})"
                                  << R"({"cidr": "10.0.0.0/24",})"
                                  << ":7: Not JSON: ";
    }
    void refusedFile() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, error);
        std::string text = quellan::planFileText(planOf("10.0.0.0/24"));
        const std::size_t at = text.find(from.toStdString());
        QVERIFY(at != std::string::npos);
        text.replace(at, static_cast<std::size_t>(from.size()), to.toStdString());
        const QString path = file("broken.qplan");
        QVERIFY(writeBytes(path, text));

        const Plan shown = planOf("172.16.0.0/16");
        QVERIFY(openPlanner(shown));
        answers_->file = path;
        play("open");
        QTRY_COMPARE(answers_->said.size(), qsizetype{1});
        const QString said = answers_->said.front();
        QVERIFY2(said.startsWith("planReadErrors: " + path + " was not opened:\n" + path + error),
                 qPrintable(said));
        QVERIFY(planner_->plan() == shown);
        QVERIFY(planner_->filePath().isEmpty());
        QCOMPARE(subnetRows(), "172.16.0.0/16 free");
    }

    // Closing over unsaved changes asks; only Save and Discard close.
    void closing_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("written");
        QTest::newRow("save") << int(QMessageBox::Save) << true << true;
        QTest::newRow("discard") << int(QMessageBox::Discard) << true << false;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
    }
    void closing() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(bool, written);
        const QString path = file("plan.qplan");
        const std::string before = quellan::planFileText(planOf("10.0.0.0/24"));
        QVERIFY(writeBytes(path, before));
        QVERIFY(openPlanner(planOf("10.0.0.0/24"), path));
        play("split");
        const std::string after = quellan::planFileText(planner_->plan());
        answers_->standard = static_cast<QMessageBox::StandardButton>(answer);
        play("close");
        QCOMPARE(answers_->said.size(), qsizetype{1});
        QCOMPARE(planner_->isVisible(), !closed);
        QCOMPARE(fileBytes(path).toStdString(), written ? after : before);
    }

    // A plan of 2^20 subnets: the view reaches its last row, and what the
    // window takes beyond the plan is reported.
    void millionSubnets() {
        Plan plan = planOf("10.0.0.0/8");
        const quellan::PlanResult split = quellan::splitSubnet(plan, net("10.0.0.0/8"), 28);
        QVERIFY(split.reason.empty());
        quellan::apply(plan, split.change);
        QCOMPARE(plan.subnetCount(), quellan::kMostSubnets);
        const long before = residentKiB();
        QVERIFY(openPlanner(std::move(plan)));
        QTest::keyClick(table(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(table()->currentIndex().row(), model()->rowCount() - 1);
        QCOMPARE(currentSubnet(), "10.255.255.240/28");
        // At the most a plan holds, a split is refused with the plan's reason.
        play("split");
        QCOMPARE(answers_->said.size(), qsizetype{1});
        QVERIFY2(answers_->said.front().startsWith("planRefusal: 10.255.255.240/28 into /29: "),
                 qPrintable(answers_->said.front()));
        const int rows = model()->rowCount();
        play("join");
        QCOMPARE(currentSubnet(), "10.255.255.224/27");
        QCOMPARE(model()->rowCount(), rows - 1);
        play("undo");
        QCOMPARE(model()->rowCount(), rows);
        QCOMPARE(model()->index(rows - 1, 0).data().toString(), "10.255.255.240/28");
        const long after = residentKiB();
        qInfo("The window over 1,048,576 subnets: %ld KiB resident more", after - before);
    }

private:
    static long residentKiB() {
        std::ifstream status("/proc/self/status");
        std::string key;
        while (status >> key) {
            long value = 0;
            if (key == "VmRSS:" && status >> value)
                return value;
        }
        return -1;
    }
};

QUELLAN_WINDOW_TEST_MAIN(PlannerTest)

#include "planner_test.moc"
