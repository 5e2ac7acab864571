#pragma once

// What the window tests share: a shown, active window found by object name,
// and a main that runs headless when there is no display.

#include "quellan.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QSlider>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <memory>

namespace quellan::test {

// A fresh window per test function, shown and active so that it takes the
// keyboard focus like a window on a desktop.
class WindowFixture {
public:
    bool open() {
        window_ = std::make_unique<Quellan>();
        window_->show();
        // A desktop's window manager activates a new window; a bare X server
        // or the offscreen platform needs to be asked.
        window_->activateWindow();
        return QTest::qWaitForWindowActive(window_.get());
    }
    void close() { window_.reset(); }

    Quellan& window() { return *window_; }

    template <typename Widget = QWidget> Widget* find(const QString& name) {
        return window_->findChild<Widget*>(name);
    }
    QString labelText(const QString& name) { return find<QLabel>(name)->text(); }
    QString statusText() { return find<QStatusBar>("StatusBar1")->findChild<QLabel*>()->text(); }
    QSlider* slider() { return find<QSlider>("Slider1"); }
    QString focusName() {
        const QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QString();
    }

private:
    std::unique_ptr<Quellan> window_;
};

inline void useOffscreenWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// What the window remembers (the subnet list's place) goes to a directory
// of the test's own, never to the user's settings.
inline void keepSettingsIn(const QTemporaryDir& directory) {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, directory.path());
}

// Right-clicks `target` and clicks the entry `choice` of the menu that
// opens (or closes it when there is none); returns the entries it showed.
inline QStringList chooseFromContextMenu(QWidget* target, const QString& choice) {
    QStringList entries;
    // A timer on the stack: it cannot fire later, into a finished test,
    // when no menu opened.
    QTimer inMenu;
    inMenu.setSingleShot(true);
    QObject::connect(&inMenu, &QTimer::timeout, &inMenu, [&entries, &choice] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            entries << action->text();
            if (action->text() == choice)
                chosen = action;
        }
        if (chosen == nullptr) {
            menu->close();
            return;
        }
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
    });
    inMenu.start(0);
    const QPoint centre = target->rect().center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, centre, target->mapToGlobal(centre));
    QApplication::sendEvent(target, &rightClick);
    return entries;
}

} // namespace quellan::test

#define QUELLAN_WINDOW_TEST_MAIN(TestClass)                                                        \
    int main(int argc, char* argv[]) {                                                             \
        quellan::test::useOffscreenWithoutDisplay();                                               \
        QApplication app(argc, argv);                                                              \
        const QTemporaryDir settings;                                                              \
        quellan::test::keepSettingsIn(settings);                                                   \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
