#pragma once

#include <cstddef>
#include <functional>

namespace quillomat {

// One thread per core the system reports, at least one.
int defaultWorkerCount();

// Calls work(i) for every i in [0, count) on up to `workers` threads, the calling thread being
// one of them, and returns when every call has returned. Indices are handed out in ascending
// order in small batches, so early indices tend to finish first. work must be safe to call on
// several threads at once.
void runOnWorkers(std::size_t count, int workers, const std::function<void(std::size_t)>& work);

} // namespace quillomat
