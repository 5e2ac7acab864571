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
    if (restoreGeometry(QSettings().value(kGeometryKey).toByteArray()))
        return;
    const int frame = 2 * table_->frameWidth();
    const QMargins margins = layout()->contentsMargins();
    resize(table_->header()->length() + table_->verticalScrollBar()->sizeHint().width() + frame +
               margins.left() + margins.right(),
           parentWidget()->height());
    // Beside the main window, level with it, clear of its frame: to its
    // right, or to its left where the screen ends first, or else as far
    // right as the screen allows.
    const QRect main = parentWidget()->frameGeometry();
    const QRect screen = parentWidget()->screen()->availableGeometry();
    const int gap = margins.right();
    int left = main.right() + 1 + gap;
    if (left + width() > screen.right() + 1)
        left = main.left() - gap - width() >= screen.left()
                   ? main.left() - gap - width()
                   : std::max(screen.left(), screen.right() + 1 - width());
    move(left, main.top());
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
