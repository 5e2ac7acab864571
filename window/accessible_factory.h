#pragma once

#include <QAccessible>
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

} // namespace quellan
