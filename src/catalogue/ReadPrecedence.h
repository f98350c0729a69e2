#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace quillomat {

// Who goes first on a medium with one read head (a CD drive): a read the user waits for (the
// description pane, a preview picture), then a running search, then the warm-up. The two
// background readers read one file at a time between them (the head), and before each file they
// give way to every read that ranks above them, so that the user waits for at most the one file
// a background reader has in hand.
class ReadPrecedence
{
public:
    enum class Rank
    {
        User,       // the window waits for it
        Search,     // a search the user started
        Background, // the warm-up: only when nothing else reads
    };

    // Marks a read of the rank as pending or going on; every begin() needs its end().
    void begin(Rank rank = Rank::Search);
    void end(Rank rank = Rank::Search);

    // Returns once no read of a rank above `waiter` is pending, or at once when stop is set.
    void waitForTurn(const std::atomic<bool>& stop, Rank waiter = Rank::Background);
    void stopWaiting(std::atomic<bool>& stop);

    // The head for one file of a background reader: waits for its turn and the head, and holds
    // the head until the returned lock goes out of scope.
    std::unique_lock<std::mutex> takeHead(const std::atomic<bool>& stop, Rank waiter);

    // True while a read of the user is pending.
    bool userWaiting() const;

private:
    bool isTurnOf(Rank waiter) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_turn;
    int m_user = 0;
    int m_search = 0;
    std::mutex m_head;
};

// Marks one read of the rank for its lifetime.
class ForegroundRead
{
public:
    explicit ForegroundRead(ReadPrecedence& precedence,
                            ReadPrecedence::Rank rank = ReadPrecedence::Rank::Search)
        : m_precedence(precedence), m_rank(rank)
    {
        m_precedence.begin(m_rank);
    }
    ~ForegroundRead() { m_precedence.end(m_rank); }
    ForegroundRead(const ForegroundRead&) = delete;
    ForegroundRead& operator=(const ForegroundRead&) = delete;

private:
    ReadPrecedence& m_precedence;
    const ReadPrecedence::Rank m_rank;
};

} // namespace quillomat
