#pragma once

// Reading the system's font configuration ahead of Qt.
//
// Qt reads it, through fontconfig, when the window lays out its first text,
// and reading it is the largest single step on the way to the first frame.
// Nothing before that text needs fonts, so main starts reading it on a thread
// of its own before it creates the application, and the window waits for it
// just before its first text. Qt then finds it loaded.

namespace quellan {

// Starts the reading; once per program, before the window.
void startReadingFontConfiguration();

// Returns once the reading has ended; at once if it was never started.
void awaitFontConfiguration();

} // namespace quellan
