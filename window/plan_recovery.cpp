#include "plan_recovery.h"

#include "planner_window.h"
#include "plans/plan_file.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>
#include <QUndoStack>
#include <QUrl>

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace quellan {

namespace {

const QString kCopySuffix = QStringLiteral(".recovery");

// The process ID alone could name a later process's copies too.
const QString& processToken() {
    static const QString token = QStringLiteral("%1-%2")
                                     .arg(QCoreApplication::applicationPid())
                                     .arg(QDateTime::currentMSecsSinceEpoch());
    return token;
}

// "TOKEN" of "TOKEN-N.recovery", TOKEN being "PID-TIME".
QString tokenOf(const QString& copyName) {
    return copyName.section(u'-', 0, 1);
}

QString lockPath(const QString& token) {
    return QDir(PlanRecovery::folder()).filePath(token + QStringLiteral(".lock"));
}

// Held from the first copy while the program runs, however it ends; a
// QLockFile knows a holder that is gone, even when its ID is another's now.
// It goes with the application object, before the folder might.
class ProcessLock : public QObject {
public:
    ProcessLock()
        : QObject(QCoreApplication::instance())
        , lock_(lockPath(processToken())) {
        lock_.setStaleLockTime(0);
    }
    bool take() { return lock_.tryLock(0); }

private:
    QLockFile lock_;
};

QString holdProcessLock() {
    static QPointer<ProcessLock> held;
    if (held != nullptr)
        return {};
    auto lock = std::make_unique<ProcessLock>();
    if (!lock->take())
        return QStringLiteral("%1 cannot be locked").arg(lockPath(processToken()));
    held = lock.release();
    return {};
}

struct CopyJob {
    QString copy;
    QByteArray head;
    Plan plan;
    QString failure;
};

// On the writer's thread, or the window's.
QString writeCopy(const QString& copy, const QByteArray& head, const Plan& plan) {
    const std::string text = planFileText(plan);
    const auto size = static_cast<qint64>(text.size());
    QSaveFile file(copy);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size() ||
        file.write(text.data(), size) != size || !file.commit())
        return QStringLiteral("%1: %2").arg(copy, file.errorString());
    return {};
}

// Not modal: it comes from a timer, whatever the user is doing then.
void showFailure(QWidget* window, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Recovery Copy"), text,
                                QMessageBox::Ok, window);
    box->setObjectName(QStringLiteral("planRecoveryWriteError"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// The copies of writers that are gone, and those writers' locks, held so
// that another start at the same moment does not offer them too.
struct Orphans {
    std::vector<std::unique_ptr<QLockFile>> locks;
    QStringList copies;
};

Orphans findOrphans() {
    Orphans orphans;
    const QFileInfoList entries = QDir(PlanRecovery::folder())
                                      .entryInfoList({QStringLiteral("*") + kCopySuffix},
                                                     QDir::Files, QDir::Time | QDir::Reversed);
    std::map<QString, bool> ended;
    for (const QFileInfo& entry : entries) {
        const QString token = tokenOf(entry.fileName());
        if (token == processToken())
            continue;
        auto known = ended.find(token);
        if (known == ended.end()) {
            auto lock = std::make_unique<QLockFile>(lockPath(token));
            lock->setStaleLockTime(0);
            const bool gone = lock->tryLock(0);
            if (gone)
                orphans.locks.push_back(std::move(lock));
            known = ended.emplace(token, gone).first;
        }
        if (known->second)
            orphans.copies << entry.absoluteFilePath();
    }
    return orphans;
}

struct Copy {
    QString originalPath;
    PlanRead read;
};

Copy readCopy(const QString& path) {
    const FileBytes file = readFileBytes(QFile::encodeName(path).toStdString());
    if (!file.error.empty())
        return {{}, {{}, {file.error}}};
    const std::string_view bytes = file.bytes;
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos)
        return {{}, {{}, {QFile::encodeName(path).toStdString() + ": has no plan."}}};
    const QByteArray encoded(bytes.data(), static_cast<qsizetype>(end));
    return {QUrl::fromPercentEncoding(encoded),
            readPlanText(bytes.substr(end + 1), QFile::encodeName(path).toStdString())};
}

enum class Answer { Recover, Discard, Later };

Answer ask(QWidget* parent, const QString& copy, const Copy& read) {
    const QString when = QLocale().toString(QFileInfo(copy).lastModified(), QLocale::ShortFormat);
    QString what;
    if (!read.originalPath.isEmpty())
        what = QDir::toNativeSeparators(read.originalPath);
    else if (read.read.errors.empty())
        what = QStringLiteral("a new plan of %1")
                   .arg(QString::fromStdString(cidrText(read.read.plan.networks.front().block)));
    else
        what = QStringLiteral("a plan");
    QString text =
        QStringLiteral("Brevint Quellan ended before the changes to %1 were saved. A copy "
                       "written at %2 holds them.")
            .arg(what, when);
    for (const std::string& error : read.read.errors)
        text += u'\n' + QString::fromStdString(error);
    // The question first: some desktops show a box without its title.
    QMessageBox box(QMessageBox::Question, QStringLiteral("Recover Plan"),
                    QStringLiteral("Recover unsaved plan?"), QMessageBox::NoButton, parent);
    box.setInformativeText(text);
    box.setObjectName(QStringLiteral("planRecoveryOffer"));
    QPushButton* recover = box.addButton(QStringLiteral("&Recover"), QMessageBox::AcceptRole);
    recover->setObjectName(QStringLiteral("planRecover"));
    // A copy that no longer reads can only be let go of.
    recover->setEnabled(read.read.errors.empty());
    QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
    discard->setObjectName(QStringLiteral("planRecoveryDiscard"));
    QPushButton* later = box.addButton(QStringLiteral("&Later"), QMessageBox::RejectRole);
    later->setObjectName(QStringLiteral("planRecoveryLater"));
    box.setDefaultButton(read.read.errors.empty() ? recover : later);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == recover)
        return Answer::Recover;
    return box.clickedButton() == discard ? Answer::Discard : Answer::Later;
}

void removeCopy(QWidget* parent, const QString& copy) {
    QFile file(copy);
    if (!file.remove())
        QMessageBox::warning(
            parent, QStringLiteral("Recover Plan"),
            QStringLiteral("%1 was not removed: %2").arg(copy, file.errorString()));
}

} // namespace

PlanRecovery::PlanRecovery(PlannerWindow& window, QUndoStack& undo)
    : QObject(&window)
    , window_(window)
    , undo_(undo) {
    static int copies = 0;
    copy_ = QDir(folder()).filePath(
        QStringLiteral("%1-%2%3").arg(processToken()).arg(++copies).arg(kCopySuffix));
    timer_.setSingleShot(true);
    timer_.setInterval(intervalMs());
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (pending_ && !undo_.isClean())
            writeInBackground();
    });
    connect(&undo_, &QUndoStack::indexChanged, this, &PlanRecovery::changed);
    // An imported plan is unsaved with nothing to undo: only its clean state says so.
    connect(&undo_, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (clean)
            discard();
        else
            changed();
    });
}

QString PlanRecovery::folder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("recovery"));
}

int PlanRecovery::intervalMs() {
    bool number = false;
    const double seconds = qEnvironmentVariable("QUELLAN_RECOVERY_SECONDS").toDouble(&number);
    return number && seconds > 0 ? static_cast<int>(seconds * 1000) : 30'000;
}

void PlanRecovery::changed() {
    if (undo_.isClean())
        return;
    pending_ = true;
    if (!timer_.isActive())
        timer_.start();
}

PlanRecovery::~PlanRecovery() {
    // The thread may not outlive its QThread, a child of this.
    if (writer_ != nullptr)
        writer_->wait();
}

QString PlanRecovery::prepareFolder() const {
    if (!QDir().mkpath(folder()))
        return QStringLiteral("%1 cannot be made").arg(folder());
    return holdProcessLock();
}

bool PlanRecovery::writeNow() {
    stopWriting();
    pending_ = false;
    QString failure = prepareFolder();
    if (failure.isEmpty())
        failure =
            writeCopy(copy_, QUrl::toPercentEncoding(window_.filePath()) + '\n', window_.plan());
    return finish(failure);
}

void PlanRecovery::writeInBackground() {
    // Still at the last one: this one waits for the next interval.
    if (writer_ != nullptr) {
        timer_.start();
        return;
    }
    if (const QString failure = prepareFolder(); !failure.isEmpty()) {
        finish(failure);
        return;
    }
    pending_ = false;
    // The plan's own copy: the window goes on changing it meanwhile. Its
    // subnets share their labels with the window's, which copies a label
    // before changing it while another holds it.
    auto job = std::make_shared<CopyJob>(
        CopyJob{copy_, QUrl::toPercentEncoding(window_.filePath()) + '\n', window_.plan(), {}});
    QThread* thread =
        QThread::create([job] { job->failure = writeCopy(job->copy, job->head, job->plan); });
    thread->setParent(this);
    writer_ = thread;
    connect(thread, &QThread::finished, this, [this, thread, job, generation = generation_] {
        thread->deleteLater();
        if (writer_ == thread)
            writer_ = nullptr;
        if (generation == generation_)
            finish(job->failure);
    });
    thread->start();
}

void PlanRecovery::stopWriting() {
    if (writer_ == nullptr)
        return;
    writer_->wait();
    writer_ = nullptr;
    // What it wrote is overtaken; its end is not reported.
    ++generation_;
}

bool PlanRecovery::finish(const QString& failure) {
    if (!failure.isEmpty()) {
        // Tried again after the interval, shown only the first time.
        pending_ = true;
        timer_.start();
        if (!failureShown_)
            showFailure(&window_,
                        QStringLiteral("No copy of the unsaved plan is kept against a crash: %1")
                            .arg(failure));
        failureShown_ = true;
        return false;
    }
    failureShown_ = false;
    emit copyWritten(copy_);
    return true;
}

void PlanRecovery::discard() {
    stopWriting();
    timer_.stop();
    pending_ = false;
    QFile copy(copy_);
    if (copy.exists() && !copy.remove())
        showFailure(&window_,
                    QStringLiteral("%1 was not removed: %2").arg(copy_, copy.errorString()));
}

bool PlanRecovery::adoptRecovered() {
    undo_.resetClean();
    return writeNow();
}

QStringList orphanedCopies() {
    return findOrphans().copies;
}

void offerRecoveredPlans(QWidget* parent) {
    const Orphans orphans = findOrphans();
    for (const QString& copy : orphans.copies) {
        Copy read = readCopy(copy);
        switch (ask(parent, copy, read)) {
        case Answer::Recover: {
            auto* planner = new PlannerWindow(std::move(read.read.plan), read.originalPath);
            planner->setAttribute(Qt::WA_DeleteOnClose);
            planner->show();
            // The orphan stays until the plan is safe in the new copy.
            if (planner->recovery()->adoptRecovered())
                removeCopy(parent, copy);
            break;
        }
        case Answer::Discard:
            removeCopy(parent, copy);
            break;
        case Answer::Later:
            break;
        }
    }
}

} // namespace quellan
