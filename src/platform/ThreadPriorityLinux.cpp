#include "platform/ThreadPriority.h"

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace quillomat {

void lowerCurrentThreadPriority()
{
    // On Linux a nice value belongs to a thread and is inherited by the threads it creates.
    // Ten steps down leave a waking GUI thread about nine times the share of the CPU.
    constexpr int kSteps = 10;
    const auto thread = id_t(::syscall(SYS_gettid));
    errno = 0;
    const int current = ::getpriority(PRIO_PROCESS, thread);
    if (errno == 0)
        ::setpriority(PRIO_PROCESS, thread, current + kSteps); // failure only keeps the priority
}

std::intptr_t idleCurrentThread()
{
    const sched_param none = {};
    if (::sched_setscheduler(0, SCHED_IDLE, &none) != 0)
        return 0;
    return std::intptr_t(::syscall(SYS_gettid));
}

void restoreThreadPriority(std::intptr_t token)
{
    // An unprivileged thread may move any thread of its own user back to the normal class.
    const sched_param none = {};
    if (token != 0)
        ::sched_setscheduler(pid_t(token), SCHED_OTHER, &none);
}

} // namespace quillomat
