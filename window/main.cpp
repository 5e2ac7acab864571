#include "planner_window.h"
#include "quellan.h"

#include <QApplication>

#include <optional>
#include <utility>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Where QSettings keeps the subnet list's place: ~/.config/Brevint/.
    // The application name is the program's own, as X11's window class has it.
    QCoreApplication::setOrganizationName(QStringLiteral("Brevint"));
    QCoreApplication::setApplicationName(QStringLiteral("brevint-quellan"));
    // A plan file, as a file manager passes it, opens in the planner alone.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QString& path = arguments.at(1);
        std::optional<quellan::Plan> plan = quellan::PlannerWindow::readPlan(path, nullptr);
        if (!plan)
            return 1;
        quellan::PlannerWindow planner(std::move(*plan), path);
        planner.show();
        return app.exec();
    }
    quellan::Quellan window;
    window.show();
    return app.exec();
}
