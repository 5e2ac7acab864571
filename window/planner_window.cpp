#include "planner_window.h"

#include "plan_model.h"
#include "plan_tree_delegate.h"
#include "plans/plan_file.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <functional>
#include <utility>

namespace quellan {

namespace {

const QString kPlanFilter = QStringLiteral("Plans (*.qplan);;All files (*)");

QString cidrOf(const Block& block) {
    return QString::fromStdString(cidrText(block));
}

// One change of the plan, undone by its inverse; afterwards the row the
// change is about is made current, so that the keyboard carries on there.
class PlanCommand : public QUndoCommand {
public:
    PlanCommand(PlanModel& model, PlanChange change, const QString& text,
                std::function<void(const Block&)> show)
        : QUndoCommand(text)
        , model_(model)
        , change_(std::move(change))
        , show_(std::move(show)) {}

    void redo() override {
        model_.applyChange(change_);
        show(change_.added);
    }
    void undo() override {
        model_.applyChange(inverse(change_));
        show(change_.removed);
    }

private:
    void show(const std::vector<Subnet>& subnets) {
        if (!subnets.empty())
            show_(subnets.front().block);
    }

    PlanModel& model_;
    const PlanChange change_;
    const std::function<void(const Block&)> show_;
};

QAction* menuAction(QMenu& menu, const QString& text, const QString& name,
                    const QKeySequence& keys) {
    QAction* action = menu.addAction(text);
    action->setObjectName(name);
    action->setShortcut(keys);
    return action;
}

} // namespace

PlannerWindow::PlannerWindow(Plan plan, const QString& path, QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , model_(new PlanModel(std::move(plan), this))
    , view_(new QTableView(this))
    , undo_(new QUndoStack(this))
    , path_(path) {
    setObjectName(QStringLiteral("Planner"));
    view_->setObjectName(QStringLiteral("planTable"));
    view_->setAccessibleName(QStringLiteral("Plan"));
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    view_->setWordWrap(false);
    // Every row one height, so the view finds rows by arithmetic rather
    // than measuring a million of them.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setStretchLastSection(true);
    const int digit = view_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    view_->setColumnWidth(PlanModel::SubnetColumn, 22 * digit);
    view_->setColumnWidth(PlanModel::MaskColumn, 16 * digit);
    view_->setColumnWidth(PlanModel::RangeColumn, 34 * digit);
    view_->setColumnWidth(PlanModel::UsableColumn, 10 * digit);
    view_->setColumnWidth(PlanModel::NameColumn, 20 * digit);
    view_->setColumnWidth(PlanModel::VlanColumn, 6 * digit);
    view_->setColumnWidth(PlanModel::HostsColumn, 8 * digit);
    setCentralWidget(view_);
    auto* tree = new PlanTreeDelegate(*view_, *model_);
    connect(tree, &PlanTreeDelegate::joinAsked, this, &PlannerWindow::joinTreeBlock);
    resize(140 * digit, 40 * view_->verticalHeader()->defaultSectionSize());

    addMenus();
    connect(model_, &PlanModel::labelsEdited, this, &PlannerWindow::labelsEdited);
    connect(undo_, &QUndoStack::cleanChanged, this, &PlannerWindow::updateTitle);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &PlannerWindow::updateActions);
    connect(model_, &QAbstractItemModel::dataChanged, this, &PlannerWindow::updateActions);
    connect(model_, &QAbstractItemModel::modelReset, this, &PlannerWindow::updateActions);
    view_->setCurrentIndex(model_->index(model_->rowCount() > 1 ? 1 : 0, 0));
    view_->setFocus();
    updateTitle();
    updateActions();
}

PlannerWindow::~PlannerWindow() {
    // The children go after this class is gone, and the stack and the view
    // still signal as they go.
    disconnect(undo_, nullptr, this, nullptr);
    disconnect(model_, nullptr, this, nullptr);
    disconnect(view_->selectionModel(), nullptr, this, nullptr);
}

const Plan& PlannerWindow::plan() const {
    return model_->plan();
}

void PlannerWindow::addMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("planFileMenu"));
    connect(menuAction(*file, QStringLiteral("&Open…"), QStringLiteral("planOpen"),
                       QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &PlannerWindow::openFile);
    connect(menuAction(*file, QStringLiteral("&Save"), QStringLiteral("planSave"),
                       QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &PlannerWindow::save);
    connect(menuAction(*file, QStringLiteral("Save &As…"), QStringLiteral("planSaveAs"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, &PlannerWindow::saveAs);
    file->addSeparator();
    connect(menuAction(*file, QStringLiteral("&Close"), QStringLiteral("planClose"),
                       QKeySequence(Qt::CTRL | Qt::Key_W)),
            &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("planEditMenu"));
    QAction* undo = undo_->createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("planUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = undo_->createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("planRedo"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    editCell_ = menuAction(*edit, QStringLiteral("&Edit Cell"), QStringLiteral("planEditCell"),
                           QKeySequence(Qt::Key_F2));
    connect(editCell_, &QAction::triggered, this, &PlannerWindow::editCell);

    QMenu* subnet = menuBar()->addMenu(QStringLiteral("&Subnet"));
    subnet->setObjectName(QStringLiteral("planSubnetMenu"));
    split_ = menuAction(*subnet, QStringLiteral("&Split in Two"), QStringLiteral("planSplit"),
                        QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(split_, &QAction::triggered, this, &PlannerWindow::splitInTwo);
    join_ = menuAction(*subnet, QStringLiteral("&Join with Sibling"), QStringLiteral("planJoin"),
                       QKeySequence(Qt::CTRL | Qt::Key_J));
    connect(join_, &QAction::triggered, this, &PlannerWindow::joinWithSibling);
}

const Subnet* PlannerWindow::currentSubnet() const {
    return model_->subnetAt(view_->currentIndex().row());
}

void PlannerWindow::updateActions() {
    const Subnet* subnet = currentSubnet();
    split_->setEnabled(subnet != nullptr &&
                       subnet->block.length < familyBits(subnet->block.family));
    join_->setEnabled(subnet != nullptr &&
                      subnet->block.length >
                          model_->networkAt(view_->currentIndex().row()).block.length);
    editCell_->setEnabled(subnet != nullptr);
}

void PlannerWindow::splitInTwo() {
    const Subnet* subnet = currentSubnet();
    if (subnet == nullptr)
        return;
    const Block block = subnet->block;
    perform(splitSubnet(plan(), block, block.length + 1),
            QStringLiteral("Split %1").arg(cidrOf(block)), QStringLiteral("Split in Two"));
}

void PlannerWindow::joinWithSibling() {
    const Subnet* subnet = currentSubnet();
    if (subnet == nullptr)
        return;
    const Block block = subnet->block;
    const Uint128 half = Uint128{1} << (familyBits(block.family) - block.length);
    const Block lower{block.family, block.first & ~half, block.length};
    const Block upper{block.family, block.first | half, block.length};
    join([this, block](JoinKeep keep) { return joinSubnet(plan(), block, keep); },
         QStringLiteral("Join %1 with its sibling").arg(cidrOf(block)),
         QStringLiteral("Join with Sibling"), QStringLiteral("Keep %1's").arg(cidrOf(lower)),
         QStringLiteral("Keep %1's").arg(cidrOf(upper)));
}

void PlannerWindow::joinTreeBlock(const Block& block) {
    join([this, block](JoinKeep keep) { return joinBlock(plan(), block, keep); },
         QStringLiteral("Join %1").arg(cidrOf(block)), QStringLiteral("Join Block"),
         QStringLiteral("Keep the First Subnet's"), QStringLiteral("Keep the Last Subnet's"));
}

void PlannerWindow::join(const std::function<PlanResult(JoinKeep)>& joined, const QString& what,
                         const QString& title, const QString& keepLower, const QString& keepUpper) {
    PlanResult asked = joined(JoinKeep::Ask);
    // Refused for the labels alone when keeping one side's would do.
    if (asked.reason.empty() || !joined(JoinKeep::Lower).reason.empty()) {
        perform(std::move(asked), what, title);
        return;
    }
    QMessageBox ask(QMessageBox::Question, title, QString::fromStdString(asked.reason),
                    QMessageBox::Cancel, this);
    ask.setObjectName(QStringLiteral("planJoinAsk"));
    QPushButton* lower = ask.addButton(keepLower, QMessageBox::AcceptRole);
    lower->setObjectName(QStringLiteral("planJoinKeepLower"));
    QPushButton* upper = ask.addButton(keepUpper, QMessageBox::AcceptRole);
    upper->setObjectName(QStringLiteral("planJoinKeepUpper"));
    ask.setDefaultButton(QMessageBox::Cancel);
    ask.exec();
    if (ask.clickedButton() == lower)
        perform(joined(JoinKeep::Lower), what, title);
    else if (ask.clickedButton() == upper)
        perform(joined(JoinKeep::Upper), what, title);
}

void PlannerWindow::editCell() {
    QModelIndex cell = view_->currentIndex();
    if (!cell.isValid() || currentSubnet() == nullptr)
        return;
    if (!model_->flags(cell).testFlag(Qt::ItemIsEditable))
        cell = model_->index(cell.row(), PlanModel::NameColumn);
    view_->setCurrentIndex(cell);
    view_->edit(cell);
}

void PlannerWindow::labelsEdited(const Block& subnet, const Labels& labels,
                                 const QString& refusal) {
    const QString title = QStringLiteral("Edit Labels");
    if (!refusal.isEmpty()) {
        refuse(title, QStringLiteral("%1: %2").arg(cidrOf(subnet), refusal));
        return;
    }
    perform(labelSubnet(plan(), subnet, labels), QStringLiteral("Label %1").arg(cidrOf(subnet)),
            title);
}

void PlannerWindow::perform(PlanResult result, const QString& what, const QString& title) {
    if (!result.reason.empty()) {
        refuse(title, QString::fromStdString(result.reason));
        return;
    }
    undo_->push(new PlanCommand(*model_, std::move(result.change), what,
                                [this](const Block& block) { showRow(block); }));
}

void PlannerWindow::showRow(const Block& block) {
    const int row = model_->subnetRow(block);
    if (row < 0)
        return;
    const int column = std::max(0, view_->currentIndex().column());
    const QModelIndex cell = model_->index(row, column);
    view_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
    view_->scrollTo(cell);
    updateActions();
}

void PlannerWindow::refuse(const QString& title, const QString& reason) {
    // Later, from the event loop: a refused edit arrives while the view is
    // still closing its editor, which a modal box would run into.
    QTimer::singleShot(0, this, [this, title, reason] {
        QMessageBox box(QMessageBox::Warning, title, reason, QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("planRefusal"));
        box.exec();
    });
}

std::optional<Plan> PlannerWindow::readPlan(const QString& path, QWidget* parent) {
    PlanRead read = readPlanFile(QFile::encodeName(path).toStdString());
    if (read.errors.empty())
        return std::move(read.plan);
    QStringList lines;
    for (const std::string& error : read.errors)
        lines << QString::fromStdString(error);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Open Plan"),
                    QStringLiteral("%1 was not opened:\n%2").arg(path, lines.join(u'\n')),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("planReadErrors"));
    box.exec();
    return std::nullopt;
}

void PlannerWindow::openFile() {
    if (!settleUnsaved())
        return;
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open Plan"), path_, kPlanFilter);
    if (path.isEmpty())
        return;
    std::optional<Plan> read = readPlan(path, this);
    if (!read)
        return;
    undo_->clear();
    model_->setPlan(std::move(*read));
    path_ = path;
    view_->setCurrentIndex(model_->index(model_->rowCount() > 1 ? 1 : 0, 0));
    updateTitle();
}

bool PlannerWindow::save() {
    if (path_.isEmpty())
        return saveAs();
    return writeTo(path_);
}

bool PlannerWindow::saveAs() {
    QString suggested = path_;
    if (suggested.isEmpty()) {
        std::string name = cidrText(plan().networks.front().block);
        std::replace(name.begin(), name.end(), '/', '-');
        std::replace(name.begin(), name.end(), ':', '_');
        suggested = QString::fromStdString(name) + QStringLiteral(".qplan");
    }
    QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Plan As"), suggested, kPlanFilter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".qplan");
    return writeTo(path);
}

bool PlannerWindow::writeTo(const QString& path) {
    const std::string text = planFileText(plan());
    QSaveFile file(path);
    const auto size = static_cast<qint64>(text.size());
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(text.data(), size) == size && file.commit();
    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Save Plan"),
                        QStringLiteral("%1 was not saved: %2").arg(path, reason), QMessageBox::Ok,
                        this);
        box.setObjectName(QStringLiteral("planWriteError"));
        box.exec();
        return false;
    }
    path_ = path;
    undo_->setClean();
    updateTitle();
    return true;
}

bool PlannerWindow::settleUnsaved() {
    if (undo_->isClean())
        return true;
    QMessageBox ask(QMessageBox::Question, QStringLiteral("Unsaved Changes"),
                    QStringLiteral("The plan has changes that are not saved."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    ask.setObjectName(QStringLiteral("planUnsaved"));
    ask.setDefaultButton(QMessageBox::Save);
    switch (ask.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void PlannerWindow::closeEvent(QCloseEvent* event) {
    if (settleUnsaved()) {
        event->accept();
        return;
    }
    event->ignore();
}

void PlannerWindow::updateTitle() {
    const QString name =
        path_.isEmpty() ? QStringLiteral("Plan of %1").arg(cidrOf(plan().networks.front().block))
                        : QFileInfo(path_).fileName();
    setWindowTitle(QStringLiteral("%1[*] — Brevint Quellan").arg(name));
    setWindowModified(!undo_->isClean());
}

} // namespace quellan
