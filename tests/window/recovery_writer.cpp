// The program as the crash test needs it: a planner on the plan file given
// (as a plan never saved after "--new"), one subnet split with Ctrl+D as a user splits it, and,
// once the copy kept against a crash is written, that copy's path on standard output. Then it waits
// for the test to kill it.

#include "plan_recovery.h"
#include "planner_window.h"

#include <QApplication>
#include <QTableView>
#include <QTest>

#include <iostream>
#include <optional>
#include <utility>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The application's name is the executable's: that is how a QLockFile
    // tells its holder from another process given the same ID later.
    QCoreApplication::setOrganizationName(QStringLiteral("Brevint"));
    QCoreApplication::setApplicationName(QStringLiteral("recovery_writer"));
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2)
        return 2;
    const QString& path = arguments.at(1);
    std::optional<quellan::Plan> plan = quellan::PlannerWindow::readPlan(path, nullptr);
    if (!plan)
        return 1;
    const bool asNew = arguments.size() > 2 && arguments.at(2) == QStringLiteral("--new");
    quellan::PlannerWindow planner(std::move(*plan), asNew ? QString() : path);
    QObject::connect(planner.recovery(), &quellan::PlanRecovery::copyWritten,
                     [](const QString& copy) { std::cout << copy.toStdString() << std::endl; });
    planner.show();
    planner.activateWindow();
    if (!QTest::qWaitForWindowActive(&planner))
        return 3;
    QTest::keyClick(planner.findChild<QTableView*>(QStringLiteral("planTable")), Qt::Key_D,
                    Qt::ControlModifier);
    return app.exec();
}
