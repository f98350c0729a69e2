#include "catalogue/Workers.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace quillomat {

int defaultWorkerCount()
{
    return std::max(QThread::idealThreadCount(), 1);
}

void runOnWorkers(std::size_t count, int workers, const std::function<void(std::size_t)>& work)
{
    // Small batches keep the threads evenly loaded when some files are much larger than others,
    // and cost one atomic step per batch.
    constexpr std::size_t kBatch = 8;
    std::atomic<std::size_t> next{0};
    const auto drain = [&] {
        for (;;) {
            const std::size_t begin = next.fetch_add(kBatch, std::memory_order_relaxed);
            if (begin >= count)
                return;
            const std::size_t end = std::min(begin + kBatch, count);
            for (std::size_t i = begin; i < end; ++i)
                work(i);
        }
    };
    const std::size_t helpers =
        std::min(std::size_t(std::max(workers, 1) - 1), (count + kBatch - 1) / kBatch);
    std::vector<std::jthread> threads;
    threads.reserve(helpers);
    for (std::size_t t = 0; t < helpers; ++t)
        threads.emplace_back(drain);
    drain();
    // The jthreads join as they go out of scope.
}

} // namespace quillomat
