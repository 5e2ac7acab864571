#include "plan_recovery.h"
#include "planner_window.h"
#include "quellan.h"

#include <QApplication>
#include <QTimer>

#include <optional>
#include <utility>

namespace {

// Once the first window is up, so the offer has something to stand on.
void offerRecoveredLater(QWidget* window) {
    QTimer::singleShot(0, window, [window] { quellan::offerRecoveredPlans(window); });
}

} // namespace

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
        offerRecoveredLater(&planner);
        return app.exec();
    }
    quellan::Quellan window;
    window.show();
    offerRecoveredLater(&window);
    return app.exec();
}
