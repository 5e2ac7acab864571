#include "read_ahead.h"

#include "background_priority.h"
#include "platform_libraries.h"

#include <fontconfig/fontconfig.h>

#include <thread>
#include <utility>

namespace quellan {

namespace {

// Joined at the latest when the program ends, so that no exit, however early,
// meets a running thread.
struct Reader {
    std::thread thread;
    ~Reader() { awaitFontConfiguration(); }
};

Reader reader;

} // namespace

void startReadingAhead(std::vector<std::string> libraries) {
    if (!reader.thread.joinable())
        reader.thread = std::thread([libraries = std::move(libraries)] {
            lowerThreadPriority();
            openLibraries(libraries);
            FcInit();
        });
}

void awaitFontConfiguration() {
    if (reader.thread.joinable())
        reader.thread.join();
}

} // namespace quellan
