#pragma once

#include <span>

class QWidget;

namespace quellan {

class ValueLabel;
struct WindowState;

// Copying results. A right click on a field offers "Copy", its value, and
// "Copy all", the record's copyAllText(); Ctrl+Shift+C copies all from
// anywhere in the window. `state` is the window's record and outlives the actions.
void addCopyActions(QWidget& window, std::span<ValueLabel* const> fields, const WindowState& state);

} // namespace quellan
