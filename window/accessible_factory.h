#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace quellan {

// Makes assistive technology see every widget of class Widget through
// Interface, a QAccessibleWidget taking the widget. Installed once per pair.
template <typename Widget, typename Interface> void useAccessibleInterface() {
    static const bool installed = [] {
        QAccessible::installFactory(
            [](const QString& className, QObject* object) -> QAccessibleInterface* {
                if (object->isWidgetType() &&
                    className == QLatin1String(Widget::staticMetaObject.className()))
                    return new Interface(static_cast<QWidget*>(object));
                return nullptr;
            });
        return true;
    }();
    Q_UNUSED(installed);
}

// A top-level window as a frame. A plain QWidget reads as a filler panel;
// screen readers announce a window, with its title, only for a frame.
class FrameAccessible : public QAccessibleWidget {
public:
    explicit FrameAccessible(QWidget* window)
        : QAccessibleWidget(window, QAccessible::Window) {}
};

} // namespace quellan
