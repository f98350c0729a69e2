#pragma once

#include <QtGlobal>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class QThread;

namespace quillomat {

class DescriptionTextCache;
class TAppDescription;

// Counts the reads that must not wait for a warm-up: a search, the description pane. While
// one is going on, a warm-up waits before its next file.
class ReadPrecedence
{
public:
    void begin();
    void end();
    // Returns once no foreground read is going on, or at once when stop is set; stop must be
    // set through stopWaiting() so that a waiting thread sees it.
    void waitForTurn(const std::atomic<bool>& stop);
    void stopWaiting(std::atomic<bool>& stop);

private:
    std::mutex m_mutex;
    std::condition_variable m_turn;
    int m_foreground = 0;
};

// Marks one foreground read for its lifetime.
class ForegroundRead
{
public:
    explicit ForegroundRead(ReadPrecedence& precedence) : m_precedence(precedence)
    {
        m_precedence.begin();
    }
    ~ForegroundRead() { m_precedence.end(); }
    ForegroundRead(const ForegroundRead&) = delete;
    ForegroundRead& operator=(const ForegroundRead&) = delete;

private:
    ReadPrecedence& m_precedence;
};

// Reads the packages' description files into the cache on a thread of the lowest priority, in
// the order given, so that the first search finds them converted. It stops at the end of the list,
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
    const std::vector<const TAppDescription*> m_packages;
    std::atomic<bool> m_stop{false};
    std::atomic<qsizetype> m_done{0};
    std::atomic<std::intptr_t> m_priorityToken{0}; // set by the thread once it runs idle
    std::unique_ptr<QThread> m_thread;
};

} // namespace quillomat
