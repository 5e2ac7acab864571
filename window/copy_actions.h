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

// The keyboard's way to the fields' menus, which only a right click opens
// and which the Tab order never reaches: Shift+F10 anywhere in the window,
// and the Menu key or a right click wherever no menu of its own opens, show
// one menu with a "Copy CAPTION" entry per field and then the entries every
// field's menu shares. Under X11 the Menu key goes to the widget under the
// mouse pointer, not to the focus. Added once the fields have all their actions.
void addResultsMenu(QWidget& window, std::span<ValueLabel* const> fields);

} // namespace quellan
