#include "platform/ThreadPriority.h"

#include <windows.h>

namespace quillomat {

void lowerCurrentThreadPriority()
{
    // Windows does not pass a thread's priority on to the threads it creates; the search's
    // helpers then run at normal priority, which the GUI thread still preempts on waking.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}

std::intptr_t idleCurrentThread()
{
    HANDLE self = OpenThread(THREAD_SET_INFORMATION, FALSE, GetCurrentThreadId());
    if (!self)
        return 0;
    SetThreadPriority(self, THREAD_PRIORITY_IDLE);
    return reinterpret_cast<std::intptr_t>(self);
}

void restoreThreadPriority(std::intptr_t token)
{
    if (token == 0)
        return;
    const auto thread = reinterpret_cast<HANDLE>(token);
    SetThreadPriority(thread, THREAD_PRIORITY_NORMAL);
    CloseHandle(thread);
}

} // namespace quillomat
