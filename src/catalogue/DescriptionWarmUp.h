#pragma once

#include "catalogue/ReadPrecedence.h"

#include <QtGlobal>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class QThread;

namespace quillomat {

class DescriptionTextCache;
class TAppDescription;

// Reads the packages' description files into the cache on a thread of the lowest priority, in
// the order they lie on the medium (orderOnMedium), so that the first search finds them
// converted; a file that cannot be read is skipped. Before each file it waits for every other
// reader of the medium (ReadPrecedence). It stops at the end of the list,
// when the cache's budget is full (keeping what it has), or when stopped.
class DescriptionWarmUp
{
public:
    // The packages must outlive the warm-up.
    DescriptionWarmUp(DescriptionTextCache& cache, ReadPrecedence& precedence,
                      std::vector<const TAppDescription*> packages);
    // Stops the thread and waits for it: at most the file being converted is finished.
    ~DescriptionWarmUp();
    DescriptionWarmUp(const DescriptionWarmUp&) = delete;
    DescriptionWarmUp& operator=(const DescriptionWarmUp&) = delete;

    void stop();
    bool isRunning() const;
    // Blocks until the warm-up has ended on its own or was stopped, for at most `ms`
    // milliseconds (forever when negative); true when it has ended.
    bool wait(int ms = -1);
    // How many files were looked at so far.
    qsizetype filesDone() const { return m_done.load(); }

private:
    void run();

    DescriptionTextCache& m_cache;
    ReadPrecedence& m_precedence;
    std::vector<const TAppDescription*>
        m_packages; // only the warm-up thread touches it once started
    std::atomic<bool> m_stop{false};
    std::atomic<qsizetype> m_done{0};
    std::atomic<std::intptr_t> m_priorityToken{0}; // set by the thread once it runs idle
    std::unique_ptr<QThread> m_thread;
};

} // namespace quillomat
