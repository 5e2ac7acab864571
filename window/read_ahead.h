#pragma once

// Reading the system's font configuration ahead of Qt.
//
// The window's first text has Qt read the font configuration, the largest
// single step on the way to the first frame. Main starts a thread that reads
// it while the application connects to the display; the window waits for the
// thread just before it builds its controls, and Qt then finds it read.

namespace quellan {

// Starts the thread; once per program, before the application.
void startReadingFontConfiguration();

// Returns once the font configuration is read; at once if nothing was started.
void awaitFontConfiguration();

} // namespace quellan
