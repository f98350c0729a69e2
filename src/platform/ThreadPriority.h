#pragma once

namespace quillomat {

// Lets the calling thread, and the threads it starts afterwards, give way to the program's
// other threads: background work that must never slow the window down.
void lowerCurrentThreadPriority();

} // namespace quillomat
