#include "platform/ThreadPriority.h"

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

} // namespace quillomat
