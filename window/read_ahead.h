#pragma once

// Reading ahead of Qt what the window needs before its first frame.
//
// Creating the application opens the display's libraries, and the window's
// first text has Qt read the system's font configuration, the largest single
// step on the way to the first frame. Main starts a thread before it creates
// the application; the thread opens the libraries, then reads the font
// configuration, and the window waits for it just before its first text. Qt
// then finds both done.
//
// The thread opens the libraries rather than leave them to the window thread,
// which then neither spends the time on them nor waits, as it would while the
// thread runs on another core, for each page mapping that opening a library
// changes to be dropped on that core as well.

#include <string>
#include <vector>

namespace quellan {

// Starts the thread; once per program, before the application. libraries:
// the files to open first (platformLibraries()).
void startReadingAhead(std::vector<std::string> libraries);

// Returns once the font configuration is read; at once if nothing was started.
void awaitFontConfiguration();

} // namespace quellan
