#include "background_priority.h"

#include <sys/resource.h>
#include <unistd.h>

namespace quellan {

void lowerThreadPriority() {
    constexpr int kBackgroundNice = 10;
    // On Linux a thread id names just that thread; failing leaves it as it was.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kBackgroundNice);
}

} // namespace quellan
