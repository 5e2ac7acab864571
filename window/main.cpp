#include "quellan.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Where QSettings keeps the subnet list's place: ~/.config/Brevint/.
    // The application name is the program's own, as X11's window class has it.
    QCoreApplication::setOrganizationName(QStringLiteral("Brevint"));
    QCoreApplication::setApplicationName(QStringLiteral("brevint-quellan"));
    quellan::Quellan window;
    window.show();
    return app.exec();
}
