#pragma once

// The planner: one plan in a window of its own, its networks and subnets in
// a table (plan_model.h), changed only by the plan's operations. Each change
// goes on an undo stack that applies it and, to undo, its inverse; the stack
// being clean is what the window counts as saved. Files are read whole and
// refused whole (plan_file.h), and written through QSaveFile so a failed
// save leaves the old file as it was.

#include "plans/plan.h"

#include <QMainWindow>

#include <functional>
#include <optional>

class QAction;
class QLabel;
class QTableView;
class QUndoStack;

namespace quellan {

class PlanModel;
class PlanRecovery;

class PlannerWindow : public QMainWindow {
    Q_OBJECT

public:
    // `path` is where the plan was read from; empty for a new plan.
    PlannerWindow(Plan plan, const QString& path, QWidget* parent = nullptr);
    ~PlannerWindow() override;

    const Plan& plan() const;
    QString filePath() const { return path_; }
    // The copy kept against a crash (plan_recovery.h).
    PlanRecovery* recovery() const { return recovery_; }

    // The plan in the file, or nothing after a message box with every
    // reason the file is refused, or why it could not be read.
    static std::optional<Plan> readPlan(const QString& path, QWidget* parent);

    // Puts the change on the undo stack, or shows why it is refused: the
    // way every menu entry changes the plan, open to what drives the
    // window as one does (the benchmarks). Returns whether it was made.
    bool perform(PlanResult result, const QString& what, const QString& title);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addMenus();
    void splitInTwo();
    void splitTo();
    void splitAt(const Block& block, std::int32_t length, const QString& title);
    void joinWithSibling();
    void planHosts();
    void joinTreeBlock(const Block& block);
    // Joins as `joined` works it out for the side it keeps; where the sides'
    // labels differ, asks label by label which to keep.
    void join(const std::function<PlanResult(JoinKeep)>& joined, const QString& title);
    void editCell();
    void editLabels();
    void newPlan();
    void addNetwork();
    void moveNetwork();
    void removeNetwork();
    void copyRows();
    void find();
    void findNext();
    void importCsv();
    void exportCsv();
    // Says what a change did in the status bar, which a screen reader reads out.
    void announce(const QString& text);
    // Shows a plan read or made afresh, with nothing to undo.
    void showPlan(Plan plan, const QString& path);
    void fitColumns();
    // The subnets of the selected rows, the current one first.
    std::vector<Block> selectedSubnets() const;
    void labelsEdited(const Block& subnet, const Labels& labels, const QString& refusal);
    void showRow(const Block& block);
    void refuse(const QString& title, const QString& reason);
    void openFile();
    void openRecent(const QString& path);
    void openPath(const QString& path);
    bool save();
    bool saveAs();
    // Where Save As and Export suggest writing: beside the plan's file, or
    // named after its first network in the last folder used.
    QString suggestedPath(const QString& suffix) const;
    bool writeTo(const QString& path);
    // Through QSaveFile: the whole text or, with a message box, nothing.
    bool writeText(const QString& path, const std::string& text, const QString& title);
    // Asks what becomes of unsaved changes; true when the window may go on
    // to close or to show another file.
    bool settleUnsaved();
    void updateTitle();
    void updateActions();
    const Subnet* currentSubnet() const;

    PlanModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QUndoStack* undo_ = nullptr;
    PlanRecovery* recovery_ = nullptr;
    QString path_;
    QAction* split_ = nullptr;
    QAction* join_ = nullptr;
    QAction* splitTo_ = nullptr;
    QAction* planHosts_ = nullptr;
    QAction* editCell_ = nullptr;
    QAction* editLabels_ = nullptr;
    QLabel* status_ = nullptr;
    QString found_;
};

} // namespace quellan
