#include "copy_actions.h"

#include "calculator/result_formats.h"
#include "value_label.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>

#include <functional>
#include <string>

namespace quellan {

namespace {

// What the boxes and the slider hold, as it would be typed or given to the
// command-line tool: "192.168.1.10/26", without a length for class D and E.
std::string typedAddress(const WindowState& state) {
    std::string text = state.octets[0];
    for (std::size_t i = 1; i < state.octets.size(); ++i)
        text += "." + state.octets[i];
    if (state.sliderEnabled)
        text += "/" + std::to_string(state.sliderValue);
    return text;
}

struct CopyFormat {
    const char* name;
    std::function<std::string(const WindowState&)> text;
};

const CopyFormat kCopyFormats[] = {
    {"Network in CIDR notation", networkCidr},
    {"Address with its length", addressWithLength},
    {"Network and mask", networkAndMask},
    {"Network and wildcard mask", networkAndWildcard},
    {"JSON", [](const WindowState& state) { return resultsJson(state, typedAddress(state)); }},
};

// The same results in the forms other tools take, once there are results.
QAction* copyAsMenu(QWidget& window, const WindowState& state) {
    auto* menu = new QMenu(&window);
    QList<QAction*> formats;
    for (const CopyFormat& format : kCopyFormats) {
        QAction* action = menu->addAction(QString::fromUtf8(format.name));
        QObject::connect(action, &QAction::triggered, &window, [&state, &format] {
            QGuiApplication::clipboard()->setText(QString::fromStdString(format.text(state)));
        });
        formats << action;
    }
    QObject::connect(menu, &QMenu::aboutToShow, &window, [&state, formats] {
        for (QAction* action : formats)
            action->setEnabled(!state.lblNetNumber.empty());
    });
    auto* copyAs = new QAction(QStringLiteral("Copy as"), &window);
    copyAs->setMenu(menu);
    return copyAs;
}

} // namespace

void addCopyActions(QWidget& window, std::span<ValueLabel* const> fields,
                    const WindowState& state) {
    auto* copyAll = new QAction(QStringLiteral("Copy all"), &window);
    copyAll->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copyAll->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(copyAll, &QAction::triggered, &window, [&state] {
        QGuiApplication::clipboard()->setText(QString::fromStdString(copyAllText(state)));
    });
    window.addAction(copyAll);
    QAction* copyAs = copyAsMenu(window, state);

    for (ValueLabel* field : fields) {
        auto* copy = new QAction(QStringLiteral("Copy"), field);
        QObject::connect(copy, &QAction::triggered, field,
                         [field] { QGuiApplication::clipboard()->setText(field->value()); });
        field->addAction(copy);
        field->addAction(copyAll);
        field->addAction(copyAs);
        field->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

void addResultsMenu(QWidget& window, std::span<ValueLabel* const> fields) {
    auto* menu = new QMenu(&window);
    menu->setObjectName(QStringLiteral("resultsMenu"));
    for (ValueLabel* field : fields) {
        QAction* copy = menu->addAction(QStringLiteral("Copy %1").arg(field->caption()));
        QObject::connect(copy, &QAction::triggered, field,
                         [field] { QGuiApplication::clipboard()->setText(field->value()); });
    }
    menu->addSeparator();
    // Each field's menu: its own "Copy", then the shared entries.
    menu->addActions(fields.front()->actions().mid(1));

    auto* key = new QAction(&window);
    key->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    key->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(key, &QAction::triggered, menu, [&window, menu] {
        QWidget* focus = window.focusWidget() != nullptr ? window.focusWidget() : &window;
        menu->popup(focus->mapToGlobal(focus->rect().center()));
    });
    window.addAction(key);
    window.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&window, &QWidget::customContextMenuRequested, menu,
                     [&window, menu](const QPoint& at) { menu->popup(window.mapToGlobal(at)); });
}

} // namespace quellan
