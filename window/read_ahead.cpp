#include "read_ahead.h"

#include "background_priority.h"
#include "platform_libraries.h"

#include <fontconfig/fontconfig.h>
#include <pthread.h>
#include <sched.h>

#include <optional>
#include <utility>

namespace quellan {

namespace {

// Joined at the latest when the program ends, so that no exit, however early,
// meets a running thread.
struct Reader {
    std::optional<pthread_t> thread;
    // Set before the thread starts; read by it only.
    std::vector<std::string> libraries;
    std::optional<cpu_set_t> cores; // the process's, which the thread widens its own to
    ~Reader() { awaitFontConfiguration(); }
};

Reader reader;

void* readAhead(void* /*unused*/) {
    if (reader.cores)
        sched_setaffinity(0, sizeof(cpu_set_t), &*reader.cores);
    lowerThreadPriority();
    openLibraries(reader.libraries);
    FcInit();
    return nullptr;
}

} // namespace

void startReadingAhead(std::vector<std::string> libraries) {
    if (reader.thread)
        return;
    reader.libraries = std::move(libraries);
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    // Linux starts a new thread on its creator's core, and moves it to an idle
    // one only when it next balances the load, about 3 ms later on a busy
    // window thread: the work would wait for nearly all of it. So the thread
    // starts on another core, and lets the scheduler move it from there.
    if (cpu_set_t cores; sched_getaffinity(0, sizeof cores, &cores) == 0) {
        reader.cores = cores;
        cpu_set_t others = cores;
        if (const int current = sched_getcpu(); current >= 0)
            CPU_CLR(current, &others);
        if (CPU_COUNT(&others) > 0)
            pthread_attr_setaffinity_np(&attributes, sizeof others, &others);
    }
    if (pthread_t thread{}; pthread_create(&thread, &attributes, readAhead, nullptr) == 0)
        reader.thread = thread;
    pthread_attr_destroy(&attributes);
}

void awaitFontConfiguration() {
    if (reader.thread) {
        pthread_join(*reader.thread, nullptr);
        reader.thread.reset();
    }
}

} // namespace quellan
