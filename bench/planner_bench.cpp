// The planner at its largest, each step timed from the command to the
// window's pixels taken from the screen: 10.0.0.0/8 split into its 65,536
// /24s through the undo stack as the window's own commands are, that split
// undone, two /24s joined by Ctrl+J's action, all 65,536 joined back by a
// click on the tree's bar for the /8, and a plan file of 1,048,576 subnets
// read and shown in a new planner (showMillion: the showing alone).
//
//   build/bench/bench/quellan_planner_bench -median 5
//   QUELLAN_BENCH_PLAN=FILE build/bench/bench/quellan_planner_bench openMillion
//
// Each function sets its window up outside the one timed step, and -median
// runs it afresh that many times. Without QUELLAN_BENCH_PLAN, openMillion
// writes its file first, which then counts in the process's peak memory:
// bench/planner.sh measures that with a file written by another process.
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another. Not
// a test: nothing here fails for being slow.

#include "networks/operand_text.h"
#include "plan_model.h"
#include "plan_tree_delegate.h"
#include "planner_window.h"
#include "plans/plan_file.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <memory>

using quellan::PlanModel;
using quellan::PlannerWindow;

namespace {

quellan::Block net(const char* text) {
    return quellan::parseNetwork(text).block;
}

quellan::Plan planOf(const char* network) {
    const quellan::Block block = net(network);
    return quellan::newPlan(std::span(&block, 1), quellan::Profile::Standard).plan;
}

} // namespace

class PlannerBench : public QObject {
    Q_OBJECT

    std::unique_ptr<PlannerWindow> planner_;
    QTemporaryDir directory_;

    QTableView* table() { return planner_->findChild<QTableView*>("planTable"); }
    int rows() { return table()->model()->rowCount(); }

    void open(quellan::Plan plan, const QString& path = {}) {
        planner_ = std::make_unique<PlannerWindow>(std::move(plan), path);
        planner_->show();
        planner_->activateWindow();
    }
    // Opened and settled before a step is timed.
    void opened(quellan::Plan plan) {
        open(std::move(plan));
        QVERIFY(QTest::qWaitForWindowActive(planner_.get()));
    }

    // What the user sees after the step: its events processed, the repaint
    // among them, then the window's pixels taken from the screen.
    void show() {
        QCoreApplication::processEvents();
        const QPixmap pixels = planner_->screen()->grabWindow(planner_->winId());
        QVERIFY(!pixels.isNull());
    }

    void splitEight() {
        const quellan::Block eight = net("10.0.0.0/8");
        planner_->perform(quellan::splitSubnet(planner_->plan(), eight, 24), "Split 10.0.0.0/8",
                          "Split");
        show();
    }

    // A plan file of `length` subnets of 10.0.0.0/8, every eighth named.
    QString writePlan(std::int32_t length) {
        quellan::Plan plan = planOf("10.0.0.0/8");
        quellan::apply(plan, quellan::splitSubnet(plan, net("10.0.0.0/8"), length).change);
        std::size_t i = 0;
        for (quellan::Subnet& subnet : plan.networks[0].subnets)
            if (i++ % 8 == 0)
                subnet.labels.edit().name = "Subnet " + std::to_string(i);
        QString path = directory_.filePath("million.qplan");
        std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary)
            << quellan::planFileText(plan);
        return path;
    }

    QString millionPath() {
        const QString path = qEnvironmentVariable("QUELLAN_BENCH_PLAN");
        return path.isEmpty() ? writePlan(28) : path;
    }

private slots:
    void cleanup() { planner_.reset(); }

    void splitEightInto24s() {
        opened(planOf("10.0.0.0/8"));
        QBENCHMARK_ONCE {
            splitEight();
        }
        QCOMPARE(rows(), 1 + 65536);
    }

    void undoTheSplit() {
        opened(planOf("10.0.0.0/8"));
        splitEight();
        QAction* undo = planner_->findChild<QAction*>("planUndo");
        QBENCHMARK_ONCE {
            undo->trigger();
            show();
        }
        QCOMPARE(rows(), 2);
    }

    // Ctrl+J on the last /24: one row fewer of 65,537.
    void joinTwo24s() {
        opened(planOf("10.0.0.0/8"));
        splitEight();
        table()->setCurrentIndex(table()->model()->index(rows() - 1, 0));
        QAction* join = planner_->findChild<QAction*>("planJoin");
        QBENCHMARK_ONCE {
            join->trigger();
            show();
        }
        QCOMPARE(rows(), 65536);
    }

    // The /8's bar beside the first /24 clicked: 65,536 subnets into one.
    void join65536ByTheTree() {
        opened(planOf("10.0.0.0/8"));
        splitEight();
        const auto* tree = qobject_cast<quellan::PlanTreeDelegate*>(
            table()->itemDelegateForColumn(PlanModel::TreeColumn));
        const QPoint bar = tree->barCentre(1, 8);
        QBENCHMARK_ONCE {
            QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, bar);
            // The click's join is queued behind the click.
            QCoreApplication::processEvents();
            show();
        }
        QCOMPARE(rows(), 2);
    }

    // From the file's name to the planner on screen.
    void openMillion() {
        const QString path = millionPath();
        QBENCHMARK_ONCE {
            std::optional<quellan::Plan> plan = PlannerWindow::readPlan(path, nullptr);
            QVERIFY(plan.has_value());
            open(std::move(*plan), path);
            show();
        }
        QCOMPARE(rows(), 1 + 1048576);
    }

    // The window's share of that: the plan read, then shown.
    void showMillion() {
        std::optional<quellan::Plan> plan = PlannerWindow::readPlan(millionPath(), nullptr);
        QVERIFY(plan.has_value());
        QBENCHMARK_ONCE {
            open(std::move(*plan));
            show();
        }
        QCOMPARE(rows(), 1 + 1048576);
    }
};

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PlannerBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "planner_bench.moc"
