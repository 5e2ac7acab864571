#include "value_label.h"

#include "accessible_factory.h"

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

} // namespace

ValueLabel::ValueLabel(const QString& caption, QWidget* parent)
    : QLabel(parent)
    , caption_(caption) {
    useAccessibleInterface<ValueLabel, ValueLabelAccessible>();
    setAccessibleDescription(caption_);
}

} // namespace quellan
