#pragma once

// The plan files a user came back to, kept in QSettings between runs: the
// last ones opened or saved, newest first, and the folder the file dialogs
// start in. A file that has gone since is left out rather than offered.

#include <QString>
#include <QStringList>

#include <functional>

class QMenu;

namespace quellan {

inline constexpr int kMostRecentFiles = 8;

// The files that still exist, newest first.
QStringList recentFiles();
// Puts `path` first, and its folder where the next file dialog starts.
void rememberFile(const QString& path);
// Where a file dialog starts when the plan has no file of its own; empty
// before any file was opened or saved.
QString recentFolder();

// Lists the recent files in `menu` each time it opens, each entry passed
// to `open` when chosen.
void fillWithRecentFiles(QMenu& menu, std::function<void(const QString&)> open);

} // namespace quellan
