#include "subnet_window.h"

#include "accessible_factory.h"
#include "networks/block_text.h"
#include "subnet_export.h"
#include "subnet_table.h"
#include "subnet_table_accessible.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QVBoxLayout>

#include <algorithm>

namespace quellan {

namespace {

const QString kGeometryKey = QStringLiteral("subnets/geometry");

// More rows are tens of megabytes of text and a few seconds' wait, and more
// than a spreadsheet takes.
constexpr std::uint64_t kRowsWithoutAsking = 1'000'000;

QAction* addShortcut(QWidget& owner, const QString& text, const QKeySequence& keys,
                     Qt::ShortcutContext context) {
    auto* action = new QAction(text, &owner);
    action->setShortcut(keys);
    action->setShortcutContext(context);
    owner.addAction(action);
    return action;
}

} // namespace

SubnetWindow::SubnetWindow(const WindowState& state, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , state_(state)
    , note_(new QLabel(this))
    , table_(new SubnetTable(this))
    , exportButton_(new QPushButton(QStringLiteral("&Export CSV…"), this)) {
    useAccessibleInterface<SubnetWindow, FrameAccessible>();
    useAccessibleInterface<SubnetTable, SubnetTableAccessible>();
    setObjectName(QStringLiteral("Subnets"));
    // The main window's font, so the two read as one program's.
    setAttribute(Qt::WA_WindowPropagation);
    note_->setObjectName(QStringLiteral("subnetNote"));
    note_->setWordWrap(true);
    table_->setObjectName(QStringLiteral("subnetTable"));
    table_->setAccessibleName(QStringLiteral("Subnets"));
    exportButton_->setObjectName(QStringLiteral("subnetExport"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note_);
    layout->addWidget(table_);
    layout->addLayout(buttons);

    QAction* copy =
        addShortcut(*table_, QStringLiteral("Copy"), QKeySequence::Copy, Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &SubnetWindow::copySelection);
    QAction* exportAction = addShortcut(*this, QStringLiteral("Export CSV…"),
                                        QKeySequence(Qt::CTRL | Qt::Key_S), Qt::WindowShortcut);
    connect(exportAction, &QAction::triggered, this, &SubnetWindow::exportCsv);
    table_->addAction(exportAction);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(exportButton_, &QPushButton::clicked, this, &SubnetWindow::exportCsv);
    setTabOrder(table_, exportButton_);
    table_->setFocus();
}

SubnetWindow::~SubnetWindow() {
    // Quitting takes the window down open, with no hide event.
    if (isVisible())
        rememberGeometry();
}

void SubnetWindow::open() {
    if (!placed_)
        placeFirstTime();
    // Shown first, so the list has its height when it scrolls to the
    // address's row.
    show();
    fill();
    raise();
    activateWindow();
}

void SubnetWindow::follow() {
    if (isVisible())
        fill();
}

void SubnetWindow::fill() {
    const SubnetList list = subnetListOf(state_);
    const QString title = QString::fromStdString(list.title);
    if (windowTitle() != title)
        setWindowTitle(title);
    note_->setText(QString::fromStdString(list.note));
    exportButton_->setEnabled(list.rows > 0);
    table_->setList(list);
}

void SubnetWindow::copySelection() {
    const std::uint64_t rows = table_->selection().count();
    if (rows == 0)
        return;
    if (rows > kRowsWithoutAsking &&
        QMessageBox::question(
            this, QStringLiteral("Copy"),
            QStringLiteral("The selection has %1 subnets. Copy them all?").arg(rows)) !=
            QMessageBox::Yes)
        return;
    QGuiApplication::clipboard()->setText(selectedRowsText(table_->list(), table_->selection()));
}

void SubnetWindow::exportCsv() {
    const SubnetList& list = table_->list();
    if (list.rows == 0)
        return;
    if (list.rows > kRowsWithoutAsking &&
        QMessageBox::question(
            this, QStringLiteral("Export CSV"),
            QStringLiteral("The list has %1 subnets. Export them all?").arg(list.rows)) !=
            QMessageBox::Yes)
        return;
    std::string name = "subnets-";
    appendAddress(name, list.network.family, list.network.first);
    name += "-" + std::to_string(list.length) + ".csv";
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export CSV"), QString::fromStdString(name),
        QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QString failure = writeSubnetCsv(path, list);
    QGuiApplication::restoreOverrideCursor();
    if (!failure.isEmpty())
        QMessageBox::warning(this, QStringLiteral("Export CSV"),
                             QStringLiteral("%1 was not written: %2").arg(path, failure));
}

void SubnetWindow::placeFirstTime() {
    placed_ = true;
    // The layout sets the window's least size; before it is shown only once
    // this has run, and each size tried below must meet it.
    layout()->activate();
    if (restoreGeometry(QSettings().value(kGeometryKey).toByteArray()))
        return;
    const int frame = 2 * table_->frameWidth();
    const QMargins margins = layout()->contentsMargins();
    resize(table_->header()->length() + table_->verticalScrollBar()->sizeHint().width() + frame +
               margins.left() + margins.right(),
           parentWidget()->height());
    // Beside the main window, level with it, clear of its frame: to its
    // right, or to its left where the screen ends first. Where neither side
    // has room for all of it, below or above the window, lower, as long as
    // half of it fits there; else on the roomier side, narrower (its columns
    // scroll). Only a screen too small for any of these puts it over the
    // window, as far right as the screen allows.
    const QRect main = parentWidget()->frameGeometry();
    const QRect screen = parentWidget()->screen()->availableGeometry();
    const int gap = margins.right();
    const QSize natural = size();
    // Keeps a size and the place worked out for it when the window, at the
    // size it takes, lies on the screen clear of the main window.
    const auto tryPlace = [this, &main, &screen](int wide, int high, const auto& placeOf) {
        resize(wide, high);
        const QRect at(placeOf(frameGeometry().size()), frameGeometry().size());
        if (!screen.contains(at) || at.intersects(main))
            return false;
        move(at.topLeft());
        return true;
    };
    const auto rightOf = [&](QSize) { return QPoint(main.right() + 1 + gap, main.top()); };
    const auto leftOf = [&](QSize size) {
        return QPoint(main.left() - gap - size.width(), main.top());
    };
    const auto lineUp = [&](QSize size) {
        return std::clamp(main.left(), screen.left(),
                          std::max(screen.left(), screen.right() + 1 - size.width()));
    };
    const auto below = [&](QSize size) { return QPoint(lineUp(size), main.bottom() + 1 + gap); };
    const auto above = [&](QSize size) {
        return QPoint(lineUp(size), main.top() - gap - size.height());
    };
    const int rightRoom = screen.right() - main.right() - gap;
    const int leftRoom = main.left() - gap - screen.left();
    const int belowRoom = screen.bottom() - main.bottom() - gap;
    const int aboveRoom = main.top() - gap - screen.top();
    const int wide = natural.width();
    const int high = natural.height();
    if (tryPlace(wide, high, rightOf) || tryPlace(wide, high, leftOf))
        return;
    if (std::max(belowRoom, aboveRoom) >= high / 2 &&
        (belowRoom >= aboveRoom ? tryPlace(wide, std::min(high, belowRoom), below)
                                : tryPlace(wide, std::min(high, aboveRoom), above)))
        return;
    if (std::max(rightRoom, leftRoom) >= wide / 2 &&
        (rightRoom >= leftRoom ? tryPlace(rightRoom, high, rightOf)
                               : tryPlace(leftRoom, high, leftOf)))
        return;
    resize(natural);
    move(std::max(screen.left(), screen.right() + 1 - width()), main.top());
}

void SubnetWindow::rememberGeometry() const {
    QSettings().setValue(kGeometryKey, saveGeometry());
}

void SubnetWindow::keyPressEvent(QKeyEvent* event) {
    // As in a dialog: the list lets Escape through to here, and a shortcut
    // would not see it past the list.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SubnetWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    rememberGeometry();
}

} // namespace quellan
