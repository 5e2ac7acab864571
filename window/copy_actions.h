#pragma once

#include <span>

class QWidget;

namespace quellan {

class ValueLabel;

// Copying results. A right click on a field offers "Copy", its value, and
// "Copy all", every field as a line "Caption: value" in the order given;
// Ctrl+Shift+C copies all from anywhere in the window.
void addCopyActions(QWidget& window, std::span<ValueLabel* const> fields);

} // namespace quellan
