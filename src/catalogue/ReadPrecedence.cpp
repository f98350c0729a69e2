#include "catalogue/ReadPrecedence.h"

#include <chrono>

namespace quillomat {
namespace {

// A search is cancelled by setting its flag without telling anyone: a waiting search worker
// looks at the flag this often.
constexpr std::chrono::milliseconds kStopPoll{20};

} // namespace

void ReadPrecedence::begin(Rank rank)
{
    const std::lock_guard lock(m_mutex);
    ++(rank == Rank::User ? m_user : m_search);
}

void ReadPrecedence::end(Rank rank)
{
    {
        const std::lock_guard lock(m_mutex);
        --(rank == Rank::User ? m_user : m_search);
    }
    m_turn.notify_all();
}

bool ReadPrecedence::isTurnOf(Rank waiter) const
{
    switch (waiter) {
    case Rank::User:
        return true;
    case Rank::Search:
        return m_user == 0;
    case Rank::Background:
        break;
    }
    return m_user == 0 && m_search == 0;
}

bool ReadPrecedence::userWaiting() const
{
    const std::lock_guard lock(m_mutex);
    return m_user > 0;
}

void ReadPrecedence::waitForTurn(const std::atomic<bool>& stop, Rank waiter)
{
    std::unique_lock lock(m_mutex);
    while (!isTurnOf(waiter) && !stop.load())
        m_turn.wait_for(lock, kStopPoll);
}

void ReadPrecedence::stopWaiting(std::atomic<bool>& stop)
{
    {
        const std::lock_guard lock(m_mutex);
        stop = true;
    }
    m_turn.notify_all();
}

std::unique_lock<std::mutex> ReadPrecedence::takeHead(const std::atomic<bool>& stop, Rank waiter)
{
    // Never wait for the turn while holding the head: a reader of a higher rank may need it.
    // Once the head is taken, a read of a higher rank that came meanwhile still goes first.
    for (;;) {
        waitForTurn(stop, waiter);
        std::unique_lock head(m_head);
        const std::lock_guard lock(m_mutex);
        if (isTurnOf(waiter) || stop.load())
            return head;
    }
}

} // namespace quillomat
