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
class QTableView;
class QUndoStack;

namespace quellan {

class PlanModel;

class PlannerWindow : public QMainWindow {
    Q_OBJECT

public:
    // `path` is where the plan was read from; empty for a new plan.
    PlannerWindow(Plan plan, const QString& path, QWidget* parent = nullptr);
    ~PlannerWindow() override;

    const Plan& plan() const;
    QString filePath() const { return path_; }

    // The plan in the file, or nothing after a message box with every
    // reason the file is refused, or why it could not be read.
    static std::optional<Plan> readPlan(const QString& path, QWidget* parent);

    // Puts the change on the undo stack, or shows why it is refused: the
    // way every menu entry changes the plan, open to what drives the
    // window as one does (the benchmarks).
    void perform(PlanResult result, const QString& what, const QString& title);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addMenus();
    void splitInTwo();
    void joinWithSibling();
    void joinTreeBlock(const Block& block);
    // Joins, first asking whose labels to keep when they differ; `joined`
    // works the join out keeping what it is given.
    void join(const std::function<PlanResult(JoinKeep)>& joined, const QString& what,
              const QString& title, const QString& keepLower, const QString& keepUpper);
    void editCell();
    void labelsEdited(const Block& subnet, const Labels& labels, const QString& refusal);
    void showRow(const Block& block);
    void refuse(const QString& title, const QString& reason);
    void openFile();
    bool save();
    bool saveAs();
    bool writeTo(const QString& path);
    // Asks what becomes of unsaved changes; true when the window may go on
    // to close or to show another file.
    bool settleUnsaved();
    void updateTitle();
    void updateActions();
    const Subnet* currentSubnet() const;

    PlanModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QUndoStack* undo_ = nullptr;
    QString path_;
    QAction* split_ = nullptr;
    QAction* join_ = nullptr;
    QAction* editCell_ = nullptr;
};

} // namespace quellan
