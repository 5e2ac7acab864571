#include "quellan.h"
#include "read_ahead.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    quellan::startReadingFontConfiguration();
    QApplication app(argc, argv);
    quellan::Quellan window;
    window.show();
    return app.exec();
}
