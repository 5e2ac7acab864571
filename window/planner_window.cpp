#include "planner_window.h"

#include "networks/block_text.h"
#include "plan_dialogs.h"
#include "plan_model.h"
#include "plan_recovery.h"
#include "plan_tree_delegate.h"
#include "plans/plan_csv.h"
#include "plans/plan_file.h"
#include "plans/plan_input.h"
#include "recent_files.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <functional>
#include <utility>

namespace quellan {

namespace {

const QString kPlanFilter = QStringLiteral("Plans (*.qplan);;All files (*)");
const QString kCsvFilter = QStringLiteral("CSV (*.csv);;All files (*)");
const QString kGeometryKey = QStringLiteral("planner/geometry");

QString cidrOf(const Block& block) {
    return QString::fromStdString(cidrText(block));
}

// One change of the plan, undone by its inverse; afterwards the row the
// change is about is made current, so that the keyboard carries on there.
class PlanCommand : public QUndoCommand {
public:
    PlanCommand(PlanModel& model, PlanChange change, const QString& text,
                std::function<void(const Block&)> show, std::function<void(const QString&)> say)
        : QUndoCommand(text)
        , model_(model)
        , change_(std::move(change))
        , show_(std::move(show))
        , say_(std::move(say)) {}

    void redo() override {
        model_.applyChange(change_);
        show(change_.added.empty() && !change_.addedNetworks.empty()
                 ? change_.addedNetworks.front().subnets
                 : change_.added);
        say_(text());
    }
    void undo() override {
        model_.applyChange(inverse(change_));
        show(change_.removed.empty() && !change_.removedNetworks.empty()
                 ? change_.removedNetworks.front().subnets
                 : change_.removed);
        say_(QStringLiteral("Undone: %1").arg(text()));
    }

private:
    void show(const std::vector<Subnet>& subnets) {
        if (!subnets.empty())
            show_(subnets.front().block);
    }

    PlanModel& model_;
    const PlanChange change_;
    const std::function<void(const Block&)> show_;
    const std::function<void(const QString&)> say_;
};

// The plan read, or nothing after a box with every reason it was refused.
std::optional<Plan> acceptedPlan(PlanRead read, const QString& path, const QString& title,
                                 const QString& verb, QWidget* parent) {
    if (read.errors.empty())
        return std::move(read.plan);
    QStringList lines;
    for (const std::string& error : read.errors)
        lines << QString::fromStdString(error);
    QMessageBox box(QMessageBox::Warning, title,
                    QStringLiteral("%1 was not %2:\n%3").arg(path, verb, lines.join(u'\n')),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("planReadErrors"));
    box.exec();
    return std::nullopt;
}

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
    , recovery_(new PlanRecovery(*this, *undo_))
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
    fitColumns();
    view_->setColumnWidth(PlanModel::NameColumn, 20 * digit);
    view_->setColumnWidth(PlanModel::VlanColumn, 6 * digit);
    view_->setColumnWidth(PlanModel::HostsColumn, 8 * digit);
    setCentralWidget(view_);
    // A permanent label rather than showMessage(), which menus clear.
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("planStatus"));
    statusBar()->addWidget(status_, 1);
    // Enter edits the cell in place, as F2 does, where the view has the keys.
    auto* enter = new QAction(view_);
    enter->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter->setShortcutContext(Qt::WidgetShortcut);
    connect(enter, &QAction::triggered, this, &PlannerWindow::editCell);
    view_->addAction(enter);
    auto* tree = new PlanTreeDelegate(*view_, *model_);
    connect(tree, &PlanTreeDelegate::joinAsked, this, &PlannerWindow::joinTreeBlock);
    // Every column in view where the screen has room for them; the Note
    // column is given room for a short note.
    int columns = 20 * digit + view_->verticalScrollBar()->sizeHint().width() + 4;
    for (int column = 0; column < PlanModel::ColumnCount; ++column)
        columns += view_->columnWidth(column);
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(columns, screen.width() * 9 / 10),
           std::min(30 * view_->verticalHeader()->defaultSectionSize(), screen.height() * 8 / 10));
    restoreGeometry(QSettings().value(kGeometryKey).toByteArray());
    if (!path_.isEmpty())
        rememberFile(path_);

    addMenus();
    connect(model_, &PlanModel::labelsEdited, this, &PlannerWindow::labelsEdited);
    connect(undo_, &QUndoStack::cleanChanged, this, &PlannerWindow::updateTitle);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &PlannerWindow::updateActions);
    connect(model_, &QAbstractItemModel::dataChanged, this, &PlannerWindow::updateActions);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        // A network taken away takes the current row with it.
        if (!view_->currentIndex().isValid() && model_->rowCount() > 1)
            view_->setCurrentIndex(model_->index(1, 0));
        updateActions();
    });
    view_->setCurrentIndex(model_->index(model_->rowCount() > 1 ? 1 : 0, 0));
    view_->setFocus();
    updateTitle();
    updateActions();
}

PlannerWindow::~PlannerWindow() {
    // The children go after this class is gone, and the stack and the view
    // still signal as they go.
    disconnect(undo_, nullptr, this, nullptr);
    // A window that goes without closing keeps its copy, as a crash would.
    disconnect(undo_, nullptr, recovery_, nullptr);
    disconnect(model_, nullptr, this, nullptr);
    disconnect(view_->selectionModel(), nullptr, this, nullptr);
}

const Plan& PlannerWindow::plan() const {
    return model_->plan();
}

void PlannerWindow::addMenus() {
    const auto add = [this](QMenu& menu, const QString& text, const char* name,
                            const QKeySequence& keys, void (PlannerWindow::*slot)()) {
        QAction* action = menuAction(menu, text, QString::fromLatin1(name), keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("planFileMenu"));
    add(*file, QStringLiteral("&New…"), "planNew", QKeySequence(Qt::CTRL | Qt::Key_N),
        &PlannerWindow::newPlan);
    add(*file, QStringLiteral("&Open…"), "planOpen", QKeySequence(Qt::CTRL | Qt::Key_O),
        &PlannerWindow::openFile);
    QMenu* recent = file->addMenu(QStringLiteral("Open &Recent"));
    recent->setObjectName(QStringLiteral("planOpenRecent"));
    fillWithRecentFiles(*recent, [this](const QString& path) { openRecent(path); });
    connect(menuAction(*file, QStringLiteral("&Save"), QStringLiteral("planSave"),
                       QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &PlannerWindow::save);
    connect(menuAction(*file, QStringLiteral("Save &As…"), QStringLiteral("planSaveAs"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, &PlannerWindow::saveAs);
    file->addSeparator();
    add(*file, QStringLiteral("&Import CSV…"), "planImportCsv", {}, &PlannerWindow::importCsv);
    add(*file, QStringLiteral("&Export CSV…"), "planExportCsv", {}, &PlannerWindow::exportCsv);
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
    add(*edit, QStringLiteral("&Copy"), "planCopy", QKeySequence(Qt::CTRL | Qt::Key_C),
        &PlannerWindow::copyRows);
    add(*edit, QStringLiteral("&Find…"), "planFind", QKeySequence(Qt::CTRL | Qt::Key_F),
        &PlannerWindow::find);
    add(*edit, QStringLiteral("Find &Next"), "planFindNext", QKeySequence(Qt::Key_F3),
        &PlannerWindow::findNext);
    edit->addSeparator();
    editCell_ = add(*edit, QStringLiteral("&Edit Cell"), "planEditCell", QKeySequence(Qt::Key_F2),
                    &PlannerWindow::editCell);
    editLabels_ = add(*edit, QStringLiteral("&Labels…"), "planLabels",
                      QKeySequence(Qt::CTRL | Qt::Key_E), &PlannerWindow::editLabels);

    QMenu* subnet = menuBar()->addMenu(QStringLiteral("&Subnet"));
    subnet->setObjectName(QStringLiteral("planSubnetMenu"));
    split_ = add(*subnet, QStringLiteral("&Split in Two"), "planSplit",
                 QKeySequence(Qt::CTRL | Qt::Key_D), &PlannerWindow::splitInTwo);
    splitTo_ = add(*subnet, QStringLiteral("Split &To…"), "planSplitTo",
                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), &PlannerWindow::splitTo);
    join_ = add(*subnet, QStringLiteral("&Join with Sibling"), "planJoin",
                QKeySequence(Qt::CTRL | Qt::Key_J), &PlannerWindow::joinWithSibling);
    planHosts_ = add(*subnet, QStringLiteral("Plan &Hosts…"), "planHosts",
                     QKeySequence(Qt::CTRL | Qt::Key_H), &PlannerWindow::planHosts);

    QMenu* network = menuBar()->addMenu(QStringLiteral("&Network"));
    network->setObjectName(QStringLiteral("planNetworkMenu"));
    add(*network, QStringLiteral("&Add Network…"), "planAddNetwork",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), &PlannerWindow::addNetwork);
    add(*network, QStringLiteral("&Move or Resize Network…"), "planMoveNetwork",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), &PlannerWindow::moveNetwork);
    add(*network, QStringLiteral("&Remove Network"), "planRemoveNetwork",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete), &PlannerWindow::removeNetwork);
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
    editLabels_->setEnabled(subnet != nullptr);
    splitTo_->setEnabled(split_->isEnabled());
    planHosts_->setEnabled(subnet != nullptr && subnet->labels->name.empty());
}

void PlannerWindow::splitInTwo() {
    if (const Subnet* subnet = currentSubnet())
        splitAt(subnet->block, subnet->block.length + 1, QStringLiteral("Split in Two"));
}

void PlannerWindow::splitTo() {
    const Subnet* subnet = currentSubnet();
    if (subnet == nullptr)
        return;
    const Block block = subnet->block;
    if (const std::optional<std::int32_t> length = askSplitLength(this, block))
        splitAt(block, *length, QStringLiteral("Split To"));
}

void PlannerWindow::splitAt(const Block& block, std::int32_t length, const QString& title) {
    std::string count;
    appendDecimal128(count, Uint128{1} << (length - block.length));
    perform(splitSubnet(plan(), block, length),
            QStringLiteral("Split %1 into %2 subnets")
                .arg(cidrOf(block), QString::fromStdString(count)),
            title);
}

void PlannerWindow::joinWithSibling() {
    if (const Subnet* subnet = currentSubnet()) {
        const Block block = subnet->block;
        join([this, block](JoinKeep keep) { return joinSubnet(plan(), block, keep); },
             QStringLiteral("Join with Sibling"));
    }
}

void PlannerWindow::joinTreeBlock(const Block& block) {
    join([this, block](JoinKeep keep) { return joinBlock(plan(), block, keep); },
         QStringLiteral("Join Block"));
}

void PlannerWindow::join(const std::function<PlanResult(JoinKeep)>& joined, const QString& title) {
    PlanResult result = joined(JoinKeep::Ask);
    // Refused for the labels alone when keeping one side's would do: each
    // label is asked for, between what keeping either side would give.
    if (!result.reason.empty() && joined(JoinKeep::Lower).reason.empty()) {
        const QString why = QString::fromStdString(result.reason);
        result = joined(JoinKeep::Lower);
        const PlanResult upper = joined(JoinKeep::Upper);
        const std::optional<Labels> kept = askJoinLabels(
            this, {result.change.removed.front().block, result.change.added.front().labels},
            {upper.change.removed.back().block, upper.change.added.front().labels}, why);
        if (!kept)
            return;
        result.change.added.front().labels = *kept;
    }
    QString what;
    if (result.reason.empty()) {
        const std::vector<Subnet>& removed = result.change.removed;
        const Block& into = result.change.added.front().block;
        what =
            removed.size() == 2
                ? QStringLiteral("Join %1 and %2 into %3")
                      .arg(cidrOf(removed.front().block), cidrOf(removed.back().block),
                           cidrOf(into))
                : QStringLiteral("Join %1 subnets into %2").arg(removed.size()).arg(cidrOf(into));
    }
    perform(std::move(result), what, title);
}

void PlannerWindow::planHosts() {
    const Subnet* subnet = currentSubnet();
    if (subnet == nullptr)
        return;
    const Block block = subnet->block;
    std::vector<HostRequest> requests;
    const TextQuestion question{
        QStringLiteral("Plan Hosts in %1").arg(cidrOf(block)),
        QStringLiteral("&Groups of hosts, one a line: the count, then the name (50 Servers):"),
        QStringLiteral("planHostsList"),
        {},
        true};
    const auto check = [&](const QString& text) {
        HostRequestsRead read = readHostRequests(text.toStdString());
        if (!read.reason.empty())
            return QString::fromStdString(read.reason);
        // Checked against the plan here, so a group too large keeps the dialog open.
        if (const PlanResult tried = planHostsIn(plan(), block, read.requests);
            !tried.reason.empty())
            return QString::fromStdString(tried.reason);
        requests = std::move(read.requests);
        return QString();
    };
    if (!askText(this, question, check))
        return;
    perform(planHostsIn(plan(), block, requests),
            QStringLiteral("Plan %1 groups of hosts in %2").arg(requests.size()).arg(cidrOf(block)),
            QStringLiteral("Plan Hosts"));
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

std::vector<Block> PlannerWindow::selectedSubnets() const {
    std::vector<Block> blocks;
    if (const Subnet* current = currentSubnet())
        blocks.push_back(current->block);
    QModelIndexList rows = view_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    for (const QModelIndex& row : rows)
        if (const Subnet* subnet = model_->subnetAt(row.row()))
            if (blocks.empty() || !(subnet->block == blocks.front()))
                blocks.push_back(subnet->block);
    return blocks;
}

void PlannerWindow::editLabels() {
    const std::vector<Block> blocks = selectedSubnets();
    if (blocks.empty())
        return;
    const std::optional<LabelEdit> edit =
        askLabels(this, model_->subnetAt(model_->subnetRow(blocks.front()))->labels,
                  static_cast<int>(blocks.size()));
    if (!edit)
        return;
    const QString what = blocks.size() == 1 ? QStringLiteral("Label %1").arg(cidrOf(blocks.front()))
                                            : QStringLiteral("Label %1 subnets").arg(blocks.size());
    // Each subnet's change, all checked before any is made.
    std::vector<PlanResult> changes;
    for (const Block& block : blocks) {
        Labels labels = model_->subnetAt(model_->subnetRow(block))->labels;
        if (edit->name)
            labels.name = edit->labels.name;
        if (edit->vlan)
            labels.vlan = edit->labels.vlan;
        if (edit->hosts)
            labels.hosts = edit->labels.hosts;
        if (edit->note)
            labels.note = edit->labels.note;
        if (edit->color)
            labels.color = edit->labels.color;
        changes.push_back(labelSubnet(plan(), block, labels));
        if (!changes.back().reason.empty()) {
            refuse(QStringLiteral("Labels"), QString::fromStdString(changes.back().reason));
            return;
        }
    }
    // One step to undo, however many subnets it labels.
    undo_->beginMacro(what);
    for (PlanResult& change : changes)
        perform(std::move(change), what, QStringLiteral("Labels"));
    undo_->endMacro();
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

bool PlannerWindow::perform(PlanResult result, const QString& what, const QString& title) {
    if (!result.reason.empty()) {
        refuse(title, QString::fromStdString(result.reason));
        return false;
    }
    undo_->push(new PlanCommand(
        *model_, std::move(result.change), what, [this](const Block& block) { showRow(block); },
        [this](const QString& text) { announce(text); }));
    return true;
}

void PlannerWindow::announce(const QString& text) {
    status_->setText(text);
    // The status bar's name is what a screen reader announces as it changes.
    statusBar()->setAccessibleName(text);
}

void PlannerWindow::newPlan() {
    if (!settleUnsaved())
        return;
    std::optional<Plan> made;
    const TextQuestion question{
        QStringLiteral("New Plan"),
        QStringLiteral("&Networks, one a line or between commas (10.0.0.0/16, 2001:db8::/48):"),
        QStringLiteral("planNewNetworks"),
        {},
        true};
    const auto check = [&made](const QString& text) {
        const NetworksRead read = readNetworks(text.toStdString());
        if (!read.reason.empty())
            return QString::fromStdString(read.reason);
        NewPlan plan = quellan::newPlan(read.networks, Profile::Standard);
        if (!plan.reason.empty())
            return QString::fromStdString(plan.reason);
        made = std::move(plan.plan);
        return QString();
    };
    if (!askText(this, question, check))
        return;
    // The profile, asked once the networks are known.
    const QString names = QString::fromStdString(profileNames());
    std::optional<Profile> profile = Profile::Standard;
    const TextQuestion which{
        QStringLiteral("New Plan"), QStringLiteral("&Profile (%1):").arg(names),
        QStringLiteral("planNewProfile"),
        QString::fromStdString(std::string(profileName(Profile::Standard))), false};
    const auto known = [&profile, &names](const QString& text) {
        profile = profileNamed(text.trimmed().toStdString());
        return profile ? QString() : QStringLiteral("The profile is one of %1.").arg(names);
    };
    if (!askText(this, which, known))
        return;
    made->profile = *profile;
    showPlan(std::move(*made), {});
    announce(QStringLiteral("New plan of %1 networks").arg(plan().networks.size()));
}

void PlannerWindow::fitColumns() {
    // As wide as the longest text the plan's networks can give, so that no
    // count or address is cut short: found from each network's last
    // address, which has no run of zeros to shorten it, not from the rows.
    const QFontMetrics metrics = view_->fontMetrics();
    const int margin = 2 * metrics.horizontalAdvance(QLatin1Char('0'));
    int subnet = 0;
    int range = 0;
    int usable = metrics.horizontalAdvance(QStringLiteral("Usable"));
    for (const PlanNetwork& network : plan().networks) {
        std::string last;
        appendAddress(last, network.block.family, lastOf(network.block));
        const QString text = QString::fromStdString(last);
        subnet = std::max(subnet, metrics.horizontalAdvance(text + QStringLiteral("/128")));
        range = std::max(range, metrics.horizontalAdvance(text + QStringLiteral(" – ") + text));
        std::string count;
        appendDecimal128(count, hostMask(network.block.family, network.block.length));
        usable = std::max(usable, metrics.horizontalAdvance(QString::fromStdString(count)));
        range = std::max(range, metrics.horizontalAdvance(QString::fromStdString(count) +
                                                          QStringLiteral(" addresses free")));
    }
    view_->setColumnWidth(PlanModel::SubnetColumn, subnet + margin);
    view_->setColumnWidth(PlanModel::MaskColumn,
                          metrics.horizontalAdvance(QStringLiteral("255.255.255.255")) + margin);
    view_->setColumnWidth(PlanModel::RangeColumn, range + margin);
    view_->setColumnWidth(PlanModel::UsableColumn, usable + margin);
}

void PlannerWindow::showPlan(Plan plan, const QString& path) {
    undo_->clear();
    model_->setPlan(std::move(plan));
    fitColumns();
    path_ = path;
    view_->setCurrentIndex(model_->index(model_->rowCount() > 1 ? 1 : 0, 0));
    updateTitle();
    updateActions();
}

void PlannerWindow::addNetwork() {
    std::optional<Block> network;
    const TextQuestion question{QStringLiteral("Add Network"),
                                QStringLiteral("&Network:"),
                                QStringLiteral("planAddNetworkText"),
                                {},
                                false};
    const auto check = [&](const QString& text) {
        const NetworksRead read = readNetworks(text.toStdString());
        if (!read.reason.empty())
            return QString::fromStdString(read.reason);
        if (read.networks.size() != 1)
            return QStringLiteral("Give one network.");
        if (const PlanResult tried = quellan::addNetwork(plan(), read.networks.front());
            !tried.reason.empty())
            return QString::fromStdString(tried.reason);
        network = read.networks.front();
        return QString();
    };
    if (!askText(this, question, check))
        return;
    perform(quellan::addNetwork(plan(), *network),
            QStringLiteral("Add network %1").arg(cidrOf(*network)), QStringLiteral("Add Network"));
}

void PlannerWindow::moveNetwork() {
    const Block from = model_->networkAt(view_->currentIndex().row()).block;
    const TextQuestion question{
        QStringLiteral("Move or Resize %1").arg(cidrOf(from)),
        QStringLiteral("&New start and length (subnets keep their place in it):"),
        QStringLiteral("planMoveNetworkText"), cidrOf(from), false};
    std::optional<Block> to;
    const auto check = [&](const QString& text) {
        const NetworksRead read = readNetworks(text.toStdString());
        if (!read.reason.empty())
            return QString::fromStdString(read.reason);
        if (read.networks.size() != 1 || read.networks.front().family != from.family)
            return QStringLiteral("Give one network of the same family as %1.").arg(cidrOf(from));
        to = read.networks.front();
        return QString();
    };
    if (!askText(this, question, check) || *to == from)
        return;
    const QString title = QStringLiteral("Move or Resize Network");
    const QString what = QStringLiteral("Move %1 to %2").arg(cidrOf(from), cidrOf(*to));
    // A move keeps the length and a resize the start; both is a move, then a resize.
    PlanResult moved;
    Plan after = plan();
    if (to->first != from.first) {
        moved = quellan::moveNetwork(plan(), from, {from.family, to->first, from.length});
        if (!moved.reason.empty()) {
            refuse(title, QString::fromStdString(moved.reason));
            return;
        }
        apply(after, moved.change);
    }
    PlanResult resized;
    if (to->length != from.length) {
        resized = resizeNetwork(after, {from.family, to->first, from.length}, to->length);
        if (!resized.reason.empty()) {
            refuse(title, QString::fromStdString(resized.reason));
            return;
        }
    }
    undo_->beginMacro(what);
    if (to->first != from.first)
        perform(std::move(moved), what, title);
    if (to->length != from.length)
        perform(std::move(resized), what, title);
    undo_->endMacro();
}

void PlannerWindow::removeNetwork() {
    const PlanNetwork& network = model_->networkAt(view_->currentIndex().row());
    const Block block = network.block;
    const bool named =
        std::any_of(network.subnets.begin(), network.subnets.end(),
                    [](const Subnet& subnet) { return !subnet.labels->name.empty(); });
    if (named) {
        QMessageBox ask(QMessageBox::Question, QStringLiteral("Remove Network"),
                        QStringLiteral("Remove %1 and its named subnets?").arg(cidrOf(block)),
                        QMessageBox::Yes | QMessageBox::Cancel, this);
        ask.setObjectName(QStringLiteral("planRemoveAsk"));
        ask.setDefaultButton(QMessageBox::Cancel);
        if (ask.exec() != QMessageBox::Yes)
            return;
    }
    perform(quellan::removeNetwork(plan(), block),
            QStringLiteral("Remove network %1").arg(cidrOf(block)),
            QStringLiteral("Remove Network"));
}

void PlannerWindow::copyRows() {
    QList<int> rows;
    for (const QModelIndex& row : view_->selectionModel()->selectedRows())
        rows << row.row();
    if (rows.isEmpty() && view_->currentIndex().isValid())
        rows << view_->currentIndex().row();
    std::sort(rows.begin(), rows.end());
    QGuiApplication::clipboard()->setText(model_->rowsText(rows));
    announce(QStringLiteral("Copied %1 rows").arg(rows.size()));
}

void PlannerWindow::find() {
    const TextQuestion question{QStringLiteral("Find"),
                                QStringLiteral("&Address, network or name:"),
                                QStringLiteral("planFindText"), found_, false};
    const auto check = [](const QString& text) {
        return text.trimmed().isEmpty() ? QStringLiteral("Type what to find.") : QString();
    };
    const std::optional<QString> text = askText(this, question, check);
    if (!text)
        return;
    found_ = *text;
    findNext();
}

void PlannerWindow::findNext() {
    if (found_.isEmpty()) {
        find();
        return;
    }
    const Subnet* current = currentSubnet();
    const Block after = current != nullptr ? current->block : Block{};
    const std::optional<Block> found = findSubnetFor(plan(), found_.toStdString(), after);
    if (!found) {
        announce(QStringLiteral("No subnet holds or is named “%1”").arg(found_));
        return;
    }
    showRow(*found);
    announce(QStringLiteral("Found %1").arg(cidrOf(*found)));
}

void PlannerWindow::importCsv() {
    if (!settleUnsaved())
        return;
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Import CSV"),
        path_.isEmpty() ? recentFolder() : QFileInfo(path_).path(), kCsvFilter);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        refuse(QStringLiteral("Import CSV"),
               QStringLiteral("%1 was not read: %2").arg(path, file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    PlanRead read = readPlanCsv(std::string_view(bytes.constData(), bytes.size()),
                                QFile::encodeName(path).toStdString(), plan().profile);
    std::optional<Plan> imported = acceptedPlan(std::move(read), path, QStringLiteral("Import CSV"),
                                                QStringLiteral("imported"), this);
    if (!imported)
        return;
    // A new plan, to be saved as one; the sheet stays as it was.
    showPlan(std::move(*imported), {});
    undo_->resetClean();
    updateTitle();
    announce(QStringLiteral("Imported %1 subnets").arg(plan().subnetCount()));
}

void PlannerWindow::exportCsv() {
    const QString suggested = suggestedPath(QStringLiteral(".csv"));
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export CSV"), suggested, kCsvFilter);
    if (path.isEmpty())
        return;
    if (writeText(path, planCsvText(plan()), QStringLiteral("Export CSV")))
        announce(QStringLiteral("Exported %1 subnets to %2")
                     .arg(plan().subnetCount())
                     .arg(QFileInfo(path).fileName()));
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
    return acceptedPlan(readPlanFile(QFile::encodeName(path).toStdString()), path,
                        QStringLiteral("Open Plan"), QStringLiteral("opened"), parent);
}

void PlannerWindow::openFile() {
    if (!settleUnsaved())
        return;
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open Plan"), path_.isEmpty() ? recentFolder() : path_, kPlanFilter);
    if (!path.isEmpty())
        openPath(path);
}

void PlannerWindow::openRecent(const QString& path) {
    if (settleUnsaved())
        openPath(path);
}

void PlannerWindow::openPath(const QString& path) {
    std::optional<Plan> read = readPlan(path, this);
    if (!read)
        return;
    showPlan(std::move(*read), path);
    rememberFile(path_);
}

bool PlannerWindow::save() {
    if (path_.isEmpty())
        return saveAs();
    return writeTo(path_);
}

QString PlannerWindow::suggestedPath(const QString& suffix) const {
    if (!path_.isEmpty())
        return QFileInfo(path_).dir().filePath(QFileInfo(path_).completeBaseName() + suffix);
    // A plan never saved is named after its first network, in the last folder used.
    std::string name = cidrText(plan().networks.front().block);
    std::replace(name.begin(), name.end(), '/', '-');
    std::replace(name.begin(), name.end(), ':', '_');
    const QString file = QString::fromStdString(name) + suffix;
    return recentFolder().isEmpty() ? file : QDir(recentFolder()).filePath(file);
}

bool PlannerWindow::saveAs() {
    const QString suggested = suggestedPath(QStringLiteral(".qplan"));
    QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Plan As"), suggested, kPlanFilter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".qplan");
    return writeTo(path);
}

bool PlannerWindow::writeText(const QString& path, const std::string& text, const QString& title) {
    QSaveFile file(path);
    const auto size = static_cast<qint64>(text.size());
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(text.data(), size) == size && file.commit();
    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        QMessageBox box(QMessageBox::Warning, title,
                        QStringLiteral("%1 was not saved: %2").arg(path, reason), QMessageBox::Ok,
                        this);
        box.setObjectName(QStringLiteral("planWriteError"));
        box.exec();
        return false;
    }
    return true;
}

bool PlannerWindow::writeTo(const QString& path) {
    if (!writeText(path, planFileText(plan()), QStringLiteral("Save Plan")))
        return false;
    path_ = path;
    rememberFile(path_);
    undo_->setClean();
    updateTitle();
    announce(QStringLiteral("Saved %1").arg(QFileInfo(path).fileName()));
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
        recovery_->discard();
        QSettings().setValue(kGeometryKey, saveGeometry());
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
