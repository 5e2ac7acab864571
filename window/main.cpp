#include "quellan.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quellan::Quellan window;
    window.show();
    return app.exec();
}
