#pragma once

#include <cstdint>

namespace quillomat {

// Lets the calling thread, and the threads it starts afterwards, give way to the program's
// other threads: background work that must never slow the window down.
void lowerCurrentThreadPriority();

// Lets the calling thread run only on a core that nothing else wants. Returns a token for
// restoreThreadPriority, 0 when the priority could not be changed.
std::intptr_t idleCurrentThread();

// Gives a thread idled by idleCurrentThread its normal priority back, from any thread: when
// someone waits for it to finish, it must not wait for idle cores. Call it once per token.
void restoreThreadPriority(std::intptr_t token);

} // namespace quillomat
