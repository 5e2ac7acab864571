#include "recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <utility>

namespace quellan {

namespace {

const QString kFilesKey = QStringLiteral("planner/recentFiles");
const QString kFolderKey = QStringLiteral("planner/lastFolder");

// The menu's entries are made when it opens, so a file that went since the
// last look is not offered.
void refill(QMenu& menu, const std::function<void(const QString&)>& open) {
    menu.clear();
    const QStringList files = recentFiles();
    int number = 0;
    for (const QString& path : files) {
        ++number;
        // A mnemonic for the first nine, and a file name's own '&' kept.
        QString name = QFileInfo(path).fileName().replace(u'&', QStringLiteral("&&"));
        QAction* entry =
            menu.addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(name) : name);
        entry->setData(path);
        entry->setToolTip(QDir::toNativeSeparators(path));
        QObject::connect(entry, &QAction::triggered, &menu, [open, path] { open(path); });
    }
    // An entry that says so: a disabled submenu would not open to notice
    // the files saved since.
    if (files.isEmpty())
        menu.addAction(QStringLiteral("No Recent Plans"))->setEnabled(false);
}

} // namespace

QStringList recentFiles() {
    QStringList files = QSettings().value(kFilesKey).toStringList();
    files.removeIf([](const QString& path) { return !QFileInfo(path).isFile(); });
    return files;
}

void rememberFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kMostRecentFiles)
        files.removeLast();
    QSettings settings;
    settings.setValue(kFilesKey, files);
    settings.setValue(kFolderKey, QFileInfo(absolute).absolutePath());
}

QString recentFolder() {
    const QString folder = QSettings().value(kFolderKey).toString();
    return QFileInfo(folder).isDir() ? folder : QString();
}

void fillWithRecentFiles(QMenu& menu, std::function<void(const QString&)> open) {
    refill(menu, open);
    QObject::connect(&menu, &QMenu::aboutToShow, &menu,
                     [&menu, open = std::move(open)] { refill(menu, open); });
}

} // namespace quellan
