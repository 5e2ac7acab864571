#include "read_ahead.h"

#include <fontconfig/fontconfig.h>

#include <thread>

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

void startReadingFontConfiguration() {
    if (!reader.thread.joinable())
        reader.thread = std::thread([] { FcInit(); });
}

void awaitFontConfiguration() {
    if (reader.thread.joinable())
        reader.thread.join();
}

} // namespace quellan
