// The floor for start-up: the least a Qt Widgets program can show, a window
// holding one label. startup.sh measures the calculator against it.

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel window("Brevint Quellan");
    window.setWindowTitle("Bare Qt window");
    window.resize(361, 451);
    window.show();
    return app.exec();
}
