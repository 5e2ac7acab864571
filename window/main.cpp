#include "platform_libraries.h"
#include "quellan.h"
#include "read_ahead.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    quellan::startReadingAhead(quellan::platformLibraries(argc, argv));
    QApplication app(argc, argv);
    quellan::Quellan window;
    window.show();
    return app.exec();
}
