#pragma once

namespace quellan {

// Lowers the calling thread's scheduling priority (nice 10) below the window
// thread's. The window's start-up threads read ahead what it needs later;
// on a machine with two cores they otherwise take CPU time from the window
// thread and from the X server it waits on while it connects, and the first
// frame comes later. An idle core still runs them at full speed. For good:
// an ordinary user may lower a thread's priority but not raise it again.
void lowerThreadPriority();

} // namespace quellan
