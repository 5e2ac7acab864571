#include "subnet_window.h"

#include "accessible_factory.h"
#include "block_text.h"
#include "subnet_export.h"
#include "subnet_model.h"
#include "subnet_rows.h"

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
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace quellan {

namespace {

const QString kGeometryKey = QStringLiteral("subnets/geometry");

// A bigger export is a file of tens of megabytes and a few seconds' wait.
constexpr std::uint32_t kExportWithoutAsking = 1'000'000;

// The widest text each column can hold, which sets its width once rather
// than measuring millions of rows.
constexpr std::array<const char*, kSubnetColumnCaptions.size()> kWidestCell{
    "255.255.255.252/30", "255.255.255.253", "255.255.255.254", "255.255.255.255", "16777214"};

QString fromLatin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QAction* addShortcut(QWidget& owner, const QString& text, const QKeySequence& keys,
                     Qt::ShortcutContext context) {
    auto* action = new QAction(text, &owner);
    action->setShortcut(keys);
    action->setShortcutContext(context);
    owner.addAction(action);
    return action;
}

// A list of rows rather than a grid of cells: Home and End go to its first
// and last row, as Ctrl+Home and Ctrl+End do in a table. The view keeps the
// keys of its menu's actions from their shortcuts (Ctrl+C would copy the
// current cell's text alone), so it triggers those actions itself.
class RowList : public QTableView {
public:
    using QTableView::QTableView;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const QKeySequence pressed(event->keyCombination());
        for (QAction* action : actions()) {
            if (action->shortcut() == pressed) {
                action->trigger();
                return;
            }
        }
        QTableView::keyPressEvent(event);
    }

    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        if (action == MoveHome || action == MoveEnd)
            modifiers |= Qt::ControlModifier;
        return QTableView::moveCursor(action, modifiers);
    }
};

} // namespace

SubnetWindow::SubnetWindow(const WindowState& state, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , state_(state)
    , model_(new SubnetModel(this))
    , note_(new QLabel(this))
    , exportButton_(new QPushButton(QStringLiteral("&Export CSV…"), this)) {
    useAccessibleInterface<SubnetWindow, FrameAccessible>();
    setObjectName(QStringLiteral("Subnets"));
    // The main window's font, so the two read as one program's.
    setAttribute(Qt::WA_WindowPropagation);
    table_ = new RowList(this);
    note_->setObjectName(QStringLiteral("subnetNote"));
    note_->setWordWrap(true);
    table_->setObjectName(QStringLiteral("subnetTable"));
    table_->setAccessibleName(QStringLiteral("Subnets"));
    exportButton_->setObjectName(QStringLiteral("subnetExport"));

    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the list for the button, as a keyboard user expects.
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->setCornerButtonEnabled(false);
    // Rows of one fixed height let the view place any of millions of rows by
    // arithmetic instead of asking each its size.
    QHeaderView* rows = table_->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    rows->hide();
    const QFontMetrics metrics = table_->fontMetrics();
    const int padding = 3 * metrics.averageCharWidth();
    for (std::size_t i = 0; i < kWidestCell.size(); ++i) {
        const int widest =
            std::max(metrics.horizontalAdvance(QString::fromLatin1(kWidestCell[i])),
                     metrics.horizontalAdvance(fromLatin1(kSubnetColumnCaptions[i])));
        table_->setColumnWidth(static_cast<int>(i), widest + padding);
    }
    table_->horizontalHeader()->setStretchLastSection(true);

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
    SubnetList list = subnetListOf(state_);
    const QString title = QString::fromStdString(list.title);
    if (windowTitle() != title)
        setWindowTitle(title);
    note_->setText(QString::fromStdString(list.note));
    const std::uint32_t addressRow = list.addressRow;
    const bool any = list.rows > 0;
    model_->setList(std::move(list));
    exportButton_->setEnabled(any);
    if (!any)
        return;
    const QModelIndex address = model_->index(static_cast<int>(addressRow), 0);
    table_->selectionModel()->setCurrentIndex(address, QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
    // A row already in sight stays where it is; one out of sight comes to the
    // middle, with its neighbours around it.
    const bool inSight = table_->viewport()->rect().contains(table_->visualRect(address));
    table_->scrollTo(address, inSight ? QAbstractItemView::EnsureVisible
                                      : QAbstractItemView::PositionAtCenter);
}

void SubnetWindow::copySelection() {
    const QItemSelection selection = table_->selectionModel()->selection();
    if (selection.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(selectedRowsText(model_->list(), selection));
}

void SubnetWindow::exportCsv() {
    const SubnetList& list = model_->list();
    if (list.rows == 0)
        return;
    if (list.rows > kExportWithoutAsking &&
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
    resize(table_->horizontalHeader()->length() + table_->verticalScrollBar()->sizeHint().width() +
               frame + margins.left() + margins.right(),
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
