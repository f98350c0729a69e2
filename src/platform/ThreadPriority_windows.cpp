#include "platform/ThreadPriority.h"

#include <windows.h>

namespace quillomat {

void lowerCurrentThreadPriority()
{
    // Windows does not pass a thread's priority on to the threads it creates; the search's
    // helpers then run at normal priority, which the GUI thread still preempts on waking.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

} // namespace quillomat
