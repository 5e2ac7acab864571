#pragma once

// The subnet list as text for other programs: the selected rows as
// tab-separated lines for the clipboard, the whole list as a CSV file. Both
// start with a line of column captions.

#include "calculator/row_selection.h"
#include "calculator/subnet_list.h"

#include <QString>

namespace quellan {

QString selectedRowsText(const SubnetList& list, const RowSelection& selection);

// Writes every row to `path` through QSaveFile, so that a write that fails
// leaves no file or the file as it was. Returns why it failed, or empty.
QString writeSubnetCsv(const QString& path, const SubnetList& list);

} // namespace quellan
