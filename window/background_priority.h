#pragma once

namespace quellan {

// Lowers the calling thread's scheduling priority (nice 10) below the window
// thread's. A start-up thread reads ahead what the window needs later; on a
// machine with two cores it would otherwise take CPU time from the window
// thread and from the X server it waits on while it connects, and the first
// frame comes later. An idle core still runs them at full speed. For good:
// an ordinary user may lower a thread's priority but not raise it again.
void lowerThreadPriority();

} // namespace quellan
