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
// The thread opens the libraries rather than the window thread, and not only
// to take their time off it: opening a library narrows some of the process's
// page mappings, and while another thread of the process runs on a second
// core, each such change waits until that core has dropped what it cached of
// them. The window thread opening them beside the running thread waited so
// some fifty times.

#include <string>
#include <vector>

namespace quellan {

// Starts the thread; once per program, before the application. libraries:
// the files to open first (platformLibraries()).
void startReadingAhead(std::vector<std::string> libraries);

// Returns once the font configuration is read; at once if nothing was started.
void awaitFontConfiguration();

} // namespace quellan
