#include "copy_actions.h"

#include "value_label.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QList>
#include <QStringList>

namespace quellan {

namespace {

// Lines to paste into a ticket: no padding blanks, and none after the colon
// of a field that is still empty.
QString fieldsAsText(const QList<ValueLabel*>& fields) {
    QString text;
    for (const ValueLabel* field : fields) {
        const QString value = field->value();
        text += field->caption() + u':';
        if (!value.isEmpty())
            text += u' ' + value;
        text += u'\n';
    }
    return text;
}

} // namespace

void addCopyActions(QWidget& window, std::span<ValueLabel* const> fields) {
    const QList<ValueLabel*> all(fields.begin(), fields.end());

    auto* copyAll = new QAction(QStringLiteral("Copy all"), &window);
    copyAll->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copyAll->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(copyAll, &QAction::triggered, &window,
                     [all] { QGuiApplication::clipboard()->setText(fieldsAsText(all)); });
    window.addAction(copyAll);

    for (ValueLabel* field : all) {
        auto* copy = new QAction(QStringLiteral("Copy"), field);
        QObject::connect(copy, &QAction::triggered, field,
                         [field] { QGuiApplication::clipboard()->setText(field->value()); });
        field->addAction(copy);
        field->addAction(copyAll);
        field->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

} // namespace quellan
