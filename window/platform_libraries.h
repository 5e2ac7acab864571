#pragma once

// The libraries QApplication will open for its display.
//
// Creating the application opens Qt's X11 platform plugin and some twenty
// libraries it depends on, then the cursor library and the input-method
// plugin. Opened ahead, on the thread that reads the font configuration, they
// no longer take the window thread's time: Qt then finds them open. Qt picks its plugin
// from the program's arguments and environment; these are the libraries of
// the plain case, the X11 platform and its own input method, and none where
// Qt may pick another. A wrong guess costs a library opened for nothing.

#include <functional>
#include <string>
#include <vector>

namespace quellan {

// Reads one environment variable; nullptr when it is not set.
using EnvironmentReader = std::function<const char*(const char* name)>;

// The files to open, in that order, for a program started with these
// arguments in this environment, with Qt's plugins in pluginDirectory.
std::vector<std::string> platformLibraries(int argc, const char* const* argv,
                                           const EnvironmentReader& environment,
                                           const std::string& pluginDirectory);

// The same for this program's environment and the Qt it was built with.
std::vector<std::string> platformLibraries(int argc, const char* const* argv);

// Opens each, and keeps it open; one that cannot be opened is left to Qt.
void openLibraries(const std::vector<std::string>& files);

} // namespace quellan
