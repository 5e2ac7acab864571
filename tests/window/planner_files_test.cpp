// What the planner keeps beyond its plan: a copy of unsaved changes that
// outlives a killed process and is offered back, the recent files and the
// dialogs' folder, and its size. Settings and copies go to a directory of
// the test's own, given as XDG_CONFIG_HOME and XDG_DATA_HOME, which the
// writer process started here shares.

#include "modal_answers.h"
#include "networks/operand_text.h"
#include "plan_recovery.h"
#include "planner_window.h"
#include "plans/plan_file.h"
#include "recent_files.h"
#include "window_test_support.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTableView>
#include <QUrl>

#include <memory>
#include <utility>

using quellan::Plan;
using quellan::PlannerWindow;
using quellan::PlanRecovery;
using quellan::test::ModalAnswers;

namespace {

// The writer's executable name: a QLockFile knows its holder by it.
const QString kApplication = QStringLiteral("recovery_writer");

Plan planOf(const char* network) {
    const quellan::Block block = quellan::parseNetwork(network).block;
    return quellan::newPlan(std::span(&block, 1), quellan::Profile::Standard).plan;
}

Plan splitFirst(Plan plan) {
    const quellan::Block first = plan.networks.front().subnets.front().block;
    quellan::apply(plan, quellan::splitSubnet(plan, first, first.length + 1).change);
    return plan;
}

bool writePlan(const QString& path, const Plan& plan) {
    QFile file(path);
    const QByteArray text = QByteArray::fromStdString(quellan::planFileText(plan));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QStringList copiesOnDisk() {
    return QDir(PlanRecovery::folder()).entryList({"*.recovery"}, QDir::Files);
}

PlannerWindow* openedPlanner() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* planner = qobject_cast<PlannerWindow*>(window); planner && planner->isVisible())
            return planner;
    return nullptr;
}

} // namespace

class PlannerFilesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> directory_;
    std::unique_ptr<PlannerWindow> planner_;

    QString file(const QString& name) { return directory_->filePath(name); }
    QTableView* table() { return planner_->findChild<QTableView*>("planTable"); }

    bool openPlanner(Plan plan, const QString& path) {
        planner_ = std::make_unique<PlannerWindow>(std::move(plan), path);
        planner_->show();
        planner_->activateWindow();
        return QTest::qWaitForWindowActive(planner_.get());
    }

private slots:
    void initTestCase() {
        // Short, so that a test waits for a few copies, but long enough for three
        // keys within one on a machine busy with other tests.
        qputenv("QUELLAN_RECOVERY_SECONDS", "0.3");
    }
    void init() {
        QSettings().clear();
        // Copies only: this process's lock stays for as long as it runs.
        for (const QString& copy : copiesOnDisk())
            QVERIFY(QFile::remove(QDir(PlanRecovery::folder()).filePath(copy)));
        directory_ = std::make_unique<QTemporaryDir>();
        QVERIFY(directory_->isValid());
    }
    void cleanup() {
        planner_.reset();
        // The planners a recovery opened, which delete themselves only when
        // closed.
        while (PlannerWindow* recovered = openedPlanner())
            delete recovered;
        directory_.reset();
    }

    // Keys on a planner of a saved file, then a wait of a few intervals:
    // what the copy then holds, and how many times it was written.
    void copyWhileUnsaved_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<int>("writes");
        QTest::newRow("nothing changed") << "" << false << 0;
        QTest::newRow("a split") << "split" << true << 1;
        QTest::newRow("three splits within an interval") << "split split split" << true << 1;
        QTest::newRow("a split each interval") << "split wait split" << true << 2;
        QTest::newRow("undone to what is saved") << "split wait undo" << false << 1;
        QTest::newRow("saved") << "split wait save" << false << 1;
        QTest::newRow("closed, discarded") << "split wait close:discard" << false << 1;
        QTest::newRow("close cancelled") << "split wait close:cancel" << true << 1;
    }
    void copyWhileUnsaved() {
        QFETCH(QString, keys);
        QFETCH(bool, kept);
        QFETCH(int, writes);
        const QString path = file("campus.qplan");
        QVERIFY(writePlan(path, planOf("10.0.0.0/24")));
        QVERIFY(openPlanner(planOf("10.0.0.0/24"), path));
        QSignalSpy written(planner_->recovery(), &PlanRecovery::copyWritten);
        std::unique_ptr<ModalAnswers> answers;
        for (const QString& key : keys.split(' ', Qt::SkipEmptyParts)) {
            if (key == "split")
                QTest::keyClick(table(), Qt::Key_D, Qt::ControlModifier);
            else if (key == "undo")
                QTest::keyClick(table(), Qt::Key_Z, Qt::ControlModifier);
            else if (key == "save")
                QTest::keyClick(table(), Qt::Key_S, Qt::ControlModifier);
            else if (key == "wait")
                QTRY_VERIFY(!written.isEmpty());
            else if (key.startsWith("close:")) {
                answers = std::make_unique<ModalAnswers>();
                answers->standard =
                    key == "close:discard" ? QMessageBox::Discard : QMessageBox::Cancel;
                QTest::keyClick(table(), Qt::Key_W, Qt::ControlModifier);
                QCOMPARE(answers->said.size(), qsizetype{1});
            } else
                QFAIL(qPrintable("no such key: " + key));
        }
        QTest::qWait(3 * PlanRecovery::intervalMs());
        QCOMPARE(written.size(), writes);
        QCOMPARE(QFile::exists(planner_->recovery()->copyPath()), kept);
        if (kept)
            QCOMPARE(fileBytes(planner_->recovery()->copyPath()),
                     QUrl::toPercentEncoding(path) + '\n' +
                         QByteArray::fromStdString(quellan::planFileText(planner_->plan())));
    }

    // Where the copy cannot be written the user is told, once, and the
    // plan stays as it is.
    void copyNotWritable() {
        QVERIFY(openPlanner(planOf("10.0.0.0/24"), {}));
        // A folder where the copy would go: no file can be renamed over it.
        const QString copy = planner_->recovery()->copyPath();
        QVERIFY(QDir().mkpath(copy));
        QTest::keyClick(table(), Qt::Key_D, Qt::ControlModifier);
        QTRY_VERIFY(planner_->findChild<QMessageBox*>("planRecoveryWriteError") != nullptr);
        auto* box = planner_->findChild<QMessageBox*>("planRecoveryWriteError");
        QVERIFY2(box->text().startsWith(
                     "No copy of the unsaved plan is kept against a crash: " + copy + ": "),
                 qPrintable(box->text()));
        // Tried again each interval, and not shown again.
        QTest::qWait(3 * PlanRecovery::intervalMs());
        QCOMPARE(planner_->findChildren<QMessageBox*>("planRecoveryWriteError").size(),
                 qsizetype{1});
        QVERIFY(planner_->isWindowModified());
        QSignalSpy written(planner_->recovery(), &PlanRecovery::copyWritten);
        QVERIFY(QDir(copy).removeRecursively());
        QTRY_COMPARE(written.size(), 1);
        QVERIFY(fileBytes(copy).endsWith(quellan::planFileText(planner_->plan())));
    }

    // Files opened or saved, newest first, eight at the most, none that is
    // gone since.
    void recentFiles_data() {
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QString>("deleted");
        QTest::addColumn<QString>("listed");
        QTest::newRow("newest first") << "a b c"
                                      << ""
                                      << "c b a";
        QTest::newRow("again, first again") << "a b a"
                                            << ""
                                            << "a b";
        QTest::newRow("eight at the most") << "a b c d e f g h i j"
                                           << ""
                                           << "j i h g f e d c";
        QTest::newRow("gone files left out") << "a b c"
                                             << "b"
                                             << "c a";
        QTest::newRow("a file gone after the eighth") << "a b c d e f g h i"
                                                      << "i"
                                                      << "h g f e d c b";
    }
    void recentFiles() {
        QFETCH(QString, remembered);
        QFETCH(QString, deleted);
        QFETCH(QString, listed);
        for (const QString& name : remembered.split(' ')) {
            QVERIFY(writePlan(file(name + ".qplan"), planOf("10.0.0.0/24")));
            quellan::rememberFile(file(name + ".qplan"));
        }
        for (const QString& name : deleted.split(' ', Qt::SkipEmptyParts))
            QVERIFY(QFile::remove(file(name + ".qplan")));
        QStringList names;
        for (const QString& path : quellan::recentFiles())
            names << QFileInfo(path).completeBaseName();
        QCOMPARE(names.join(' '), listed);
    }

    // File ▸ Open Recent lists the files, and an entry opens its file once
    // unsaved changes are settled, as Open does.
    void openRecent_data() {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opened");
        QTest::newRow("nothing unsaved") << false << int(QMessageBox::NoButton) << true;
        QTest::newRow("unsaved, saved") << true << int(QMessageBox::Save) << true;
        QTest::newRow("unsaved, discarded") << true << int(QMessageBox::Discard) << true;
        QTest::newRow("unsaved, cancelled") << true << int(QMessageBox::Cancel) << false;
    }
    void openRecent() {
        QFETCH(bool, changed);
        QFETCH(int, answer);
        QFETCH(bool, opened);
        const QString other = file("branch & lab.qplan");
        const QString path = file("campus.qplan");
        QVERIFY(writePlan(other, planOf("172.16.0.0/16")));
        QVERIFY(writePlan(path, planOf("10.0.0.0/24")));
        QVERIFY(openPlanner(planOf("172.16.0.0/16"), other));
        QVERIFY(openPlanner(planOf("10.0.0.0/24"), path));
        if (changed)
            QTest::keyClick(table(), Qt::Key_D, Qt::ControlModifier);
        const Plan shown = planner_->plan();
        ModalAnswers answers;
        answers.standard = static_cast<QMessageBox::StandardButton>(answer);

        auto* menu = planner_->findChild<QMenu*>("planOpenRecent");
        menu->popup({});
        QStringList entries;
        QAction* chosen = nullptr;
        for (QAction* entry : menu->actions()) {
            entries << entry->text();
            if (entry->data().toString() == other)
                chosen = entry;
        }
        menu->close();
        QCOMPARE(entries.join('|'), "&1 campus.qplan|&2 branch && lab.qplan");
        QVERIFY(chosen != nullptr);
        chosen->trigger();

        QCOMPARE(answers.said.size(), qsizetype{changed ? 1 : 0});
        QVERIFY(planner_->plan() == (opened ? planOf("172.16.0.0/16") : shown));
        QCOMPARE(planner_->filePath(), opened ? other : path);
        QCOMPARE(planner_->isWindowModified(), !opened);
        const bool saved = answer == QMessageBox::Save;
        QCOMPARE(fileBytes(path), QByteArray::fromStdString(quellan::planFileText(
                                      saved ? shown : planOf("10.0.0.0/24"))));
        if (opened)
            QCOMPARE(quellan::recentFiles(), (QStringList{other, path}));
    }

    // Open and Save As start in the folder of the file last opened or
    // saved, while it is there.
    void dialogsStartInTheLastFolder_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("folderGone");
        QTest::newRow("open") << "planOpen" << false;
        QTest::newRow("save as") << "planSaveAs" << false;
        QTest::newRow("import CSV") << "planImportCsv" << false;
        QTest::newRow("export CSV") << "planExportCsv" << false;
        QTest::newRow("open, the folder gone") << "planOpen" << true;
    }
    void dialogsStartInTheLastFolder() {
        QFETCH(QString, dialog);
        QFETCH(bool, folderGone);
        const QString folder = file("plans");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writePlan(folder + "/campus.qplan", planOf("10.0.0.0/24")));
        quellan::rememberFile(folder + "/campus.qplan");
        if (folderGone)
            QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(openPlanner(planOf("192.168.0.0/16"), {}));
        const ModalAnswers answers;
        planner_->findChild<QAction*>(dialog)->trigger();
        QCOMPARE(answers.startedIn, QStringList{folderGone ? QDir::currentPath() : folder});
    }

    // The planner opens at the size it was closed at.
    void remembersItsSize() {
        QVERIFY(openPlanner(planOf("10.0.0.0/24"), {}));
        const QSize before = planner_->size();
        const QSize chosen = before + QSize(123, 45);
        planner_->resize(chosen);
        QTRY_COMPARE(planner_->size(), chosen);
        QVERIFY(planner_->close());
        QVERIFY(openPlanner(planOf("10.0.0.0/24"), {}));
        QCOMPARE(planner_->size(), chosen);
    }

    // The writer process splits a subnet of a saved plan, its copy is
    // written, and it is killed. Not before, only once it is gone, is the
    // copy offered, and each answer does what it says.
    void killedWriter_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("offeredAgain");
        // "file", "new" (a plan never saved), or "damaged" (a copy cut short).
        QTest::addColumn<QString>("copyOf");
        QTest::newRow("recover") << "planRecover" << true << false << "file";
        QTest::newRow("recover a plan never saved") << "planRecover" << true << false << "new";
        QTest::newRow("discard") << "planRecoveryDiscard" << false << false << "file";
        QTest::newRow("later") << "planRecoveryLater" << false << true << "file";
        QTest::newRow("discard a copy cut short")
            << "planRecoveryDiscard" << false << false << "damaged";
    }
    void killedWriter() {
        QFETCH(QString, answer);
        QFETCH(bool, opened);
        QFETCH(bool, offeredAgain);
        QFETCH(QString, copyOf);
        const bool neverSaved = copyOf == "new";
        const QString path = file("campus.qplan");
        const Plan saved = planOf("10.0.0.0/24");
        QVERIFY(writePlan(path, saved));

        QProcess writer;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        writer.setProcessEnvironment(environment);
        writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writer.start(QCoreApplication::applicationDirPath() + "/recovery_writer",
                     neverSaved ? QStringList{path, "--new"} : QStringList{path});
        QVERIFY2(writer.waitForStarted(), qPrintable(writer.errorString()));
        while (!writer.canReadLine())
            QVERIFY2(writer.waitForReadyRead(20'000), "no copy written");
        const QString copy = QString::fromLocal8Bit(writer.readLine()).trimmed();
        QVERIFY(QFile::exists(copy));
        QCOMPARE(quellan::orphanedCopies(), QStringList());

        writer.kill();
        QVERIFY(writer.waitForFinished());
        QCOMPARE(quellan::orphanedCopies(), QStringList{copy});
        if (copyOf == "damaged") {
            QFile cut(copy);
            QVERIFY(cut.resize(fileBytes(copy).indexOf('\n') + 3));
        }

        ModalAnswers answers;
        answers.named = answer;
        quellan::offerRecoveredPlans(nullptr);
        QCOMPARE(answers.said.size(), qsizetype{1});
        QVERIFY2(answers.said.front().startsWith(
                     "planRecoveryOffer: Recover unsaved plan? Brevint Quellan ended before the "
                     "changes to " +
                     (neverSaved ? "a new plan of 10.0.0.0/24" : QDir::toNativeSeparators(path)) +
                     " were saved. A copy written at "),
                 qPrintable(answers.said.front()));
        // What is wrong with it, as the plan reader says.
        QCOMPARE(answers.said.front().contains("holds them.\n" + copy + ":"), copyOf == "damaged");
        QCOMPARE(quellan::orphanedCopies(), offeredAgain ? QStringList{copy} : QStringList());
        QCOMPARE(QFile::exists(copy), offeredAgain);

        PlannerWindow* recovered = openedPlanner();
        QCOMPARE(recovered != nullptr, opened);
        if (!opened)
            return;
        QVERIFY(recovered->plan() == splitFirst(saved));
        QCOMPARE(recovered->filePath(), neverSaved ? QString() : path);
        QVERIFY(recovered->isWindowModified());
        // Its own copy now stands for it, until Save writes the file.
        QCOMPARE(copiesOnDisk(),
                 QStringList{QFileInfo(recovered->recovery()->copyPath()).fileName()});
        recovered->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(recovered));
        // A plan never saved is saved as a file of its own.
        const QString savedTo = neverSaved ? file("recovered.qplan") : path;
        answers.file = savedTo;
        QTest::keyClick(recovered->findChild<QTableView*>("planTable"), Qt::Key_S,
                        Qt::ControlModifier);
        QVERIFY(!recovered->isWindowModified());
        QCOMPARE(recovered->filePath(), savedTo);
        QCOMPARE(fileBytes(savedTo),
                 QByteArray::fromStdString(quellan::planFileText(splitFirst(saved))));
        QCOMPARE(copiesOnDisk(), QStringList());
    }
};

int main(int argc, char* argv[]) {
    quellan::test::useOffscreenWithoutDisplay();
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brevint"));
    QCoreApplication::setApplicationName(kApplication);
    PlannerFilesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "planner_files_test.moc"
