#pragma once

// A copy of each unsaved plan kept where the program can find it after a
// crash. While a planner's undo stack is not clean, its plan is written, on a
// thread of its own, a while after the first change that is not in the copy
// yet, never for each keystroke; a save, or a close that settles the
// changes, removes it.
//
// Each copy is RECOVERY_FOLDER/TOKEN-N.recovery: the plan's own file path,
// percent-encoded, on the first line (empty for a plan never saved), then the
// plan file's text as Save writes it. TOKEN is the writing process's ID and
// start time, so that a later process given the same ID writes other files;
// the process holds TOKEN.lock (a QLockFile) while it runs. A lock its holder
// no longer holds, killed or crashed, is what makes copies orphans, and
// orphans are what the next start offers back. QLockFile tells a live holder
// from a later process given its ID by the executable's name, which must
// then be the application's name, as main() sets it.

#include <QObject>
#include <QString>
#include <QTimer>

class QThread;
class QUndoStack;
class QWidget;

namespace quellan {

class PlannerWindow;

class PlanRecovery : public QObject {
    Q_OBJECT

public:
    PlanRecovery(PlannerWindow& window, QUndoStack& undo);
    ~PlanRecovery() override;

    // Where the copies are kept.
    static QString folder();
    // How long after a change its copy is written: QUELLAN_RECOVERY_SECONDS,
    // else 30 seconds.
    static int intervalMs();

    QString copyPath() const { return copy_; }
    // Writes the copy now, on this thread; false after showing why it could
    // not be.
    bool writeNow();
    // The plan is saved or given up: its copy goes.
    void discard();
    // A plan taken from an orphaned copy: unsaved until saved, with a copy
    // of this window's own written before the orphan is removed.
    bool adoptRecovered();

signals:
    void copyWritten(const QString& path);

private:
    void changed();
    // The plan's text is made and written on a thread of its own, so that a
    // plan of a million subnets does not stop the window while it is.
    void writeInBackground();
    // Waits for a write under way and forgets it.
    void stopWriting();
    QString prepareFolder() const;
    bool finish(const QString& failure);

    PlannerWindow& window_;
    QUndoStack& undo_;
    QTimer timer_;
    QThread* writer_ = nullptr;
    // Which writes still count: one waited for by a later write or a discard
    // does not.
    int generation_ = 0;
    QString copy_;
    // A change the copy does not hold yet.
    bool pending_ = false;
    // A failed write is shown once, not every interval, until one succeeds.
    bool failureShown_ = false;
};

// Copies whose writers have ended, offered one by one: Recover opens a
// planner on the plan, Discard removes the copy, Later keeps it for the next
// start. Boxes are centred on `parent`, which may be null.
void offerRecoveredPlans(QWidget* parent);

// The orphaned copies, oldest first, for the offer and for a look before it.
QStringList orphanedCopies();

} // namespace quellan
