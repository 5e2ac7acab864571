#pragma once

class QWidget;

namespace quellan {

// Creates every control of layoutTable() on `window`, each named as in the
// table and placed at its row's position inside its container.
void createControls(QWidget& window);

} // namespace quellan
