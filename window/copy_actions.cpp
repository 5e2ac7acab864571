#include "copy_actions.h"

#include "result_formats.h"
#include "value_label.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>

namespace quellan {

void addCopyActions(QWidget& window, std::span<ValueLabel* const> fields,
                    const WindowState& state) {
    auto* copyAll = new QAction(QStringLiteral("Copy all"), &window);
    copyAll->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copyAll->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(copyAll, &QAction::triggered, &window, [&state] {
        QGuiApplication::clipboard()->setText(QString::fromStdString(copyAllText(state)));
    });
    window.addAction(copyAll);

    for (ValueLabel* field : fields) {
        auto* copy = new QAction(QStringLiteral("Copy"), field);
        QObject::connect(copy, &QAction::triggered, field,
                         [field] { QGuiApplication::clipboard()->setText(field->value()); });
        field->addAction(copy);
        field->addAction(copyAll);
        field->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

} // namespace quellan
