#include "font_configuration.h"
#include "quellan.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    quellan::startReadingFontConfiguration();
    QApplication app(argc, argv);
    quellan::Quellan window;
    window.show();
    return app.exec();
}
