#include "value_label.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace quellan {

namespace {

class ValueLabelAccessible : public QAccessibleWidget {
public:
    explicit ValueLabelAccessible(QWidget* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* accessibleValueLabel(const QString& className, QObject* object) {
    if (object->isWidgetType() &&
        className == QLatin1String(ValueLabel::staticMetaObject.className()))
        return new ValueLabelAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

ValueLabel::ValueLabel(const QString& caption, QWidget* parent)
    : QLabel(parent)
    , caption_(caption) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(&accessibleValueLabel);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setAccessibleDescription(caption_);
}

} // namespace quellan
