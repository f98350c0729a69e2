#include "app/MediumReader.h"

#include "catalogue/ReadPrecedence.h"

#include <QThread>

namespace quillomat {

MediumReader::MediumReader(const QString& name, QObject* parent) : QObject(parent)
{
    setObjectName(name);
    m_thread = std::thread([this] { run(); });
}

MediumReader::~MediumReader()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        m_pending.reset();
    }
    m_wake.notify_all();
    m_thread.join();
    const std::lock_guard lock(m_mutex);
    holdOthersBack(false);
}

void MediumReader::holdOthersBack(bool hold)
{
    // Called with m_mutex held, so that the marks of the window's thread and of the reader's
    // thread come in the order they were decided in.
    if (!m_precedence || hold == m_holding)
        return;
    m_holding = hold;
    if (hold)
        m_precedence->begin(ReadPrecedence::Rank::User);
    else
        m_precedence->end(ReadPrecedence::Rank::User);
}

void MediumReader::request(Read read)
{
    bool wasIdle = false;
    {
        const std::lock_guard lock(m_mutex);
        if (!m_pending) {
            wasIdle = m_jobs == 0;
            ++m_jobs;
        }
        m_pending = std::move(read);
        m_pendingTicket = ++m_newest;
        holdOthersBack(true);
    }
    m_wake.notify_one();
    if (wasIdle)
        emit started();
}

void MediumReader::cancel()
{
    bool idle = false;
    {
        const std::lock_guard lock(m_mutex);
        if (m_pending) {
            m_pending.reset();
            idle = --m_jobs == 0;
        }
        if (!m_reading)
            holdOthersBack(false);
    }
    ++m_newest; // the read in hand, if any, is no longer wanted
    if (idle)
        emit settled();
}

bool MediumReader::isBusy() const
{
    const std::lock_guard lock(m_mutex);
    return m_jobs > 0;
}

void MediumReader::run()
{
    for (;;) {
        Read read;
        unsigned ticket = 0;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_pending; });
            if (m_stop)
                return;
            read = std::move(*m_pending);
            m_pending.reset();
            ticket = m_pendingTicket;
            m_reading = true;
        }
        Apply apply = read();
        {
            // The medium is free for the others now, not once the window's thread has shown
            // the result: that thread may itself be waiting for them (a small search runs on
            // it).
            const std::lock_guard lock(m_mutex);
            m_reading = false;
            if (!m_pending)
                holdOthersBack(false);
        }
        // Queued: runs on the window's thread, or never if this object is gone by then.
        QMetaObject::invokeMethod(
            this, [this, ticket, apply = std::move(apply)] { deliver(ticket, apply); },
            Qt::QueuedConnection);
    }
}

void MediumReader::deliver(unsigned ticket, const Apply& apply)
{
    bool idle = false;
    {
        const std::lock_guard lock(m_mutex);
        idle = --m_jobs == 0;
    }
    // Only the newest request's result is shown; an older one was overtaken while it was read.
    if (ticket == m_newest && apply)
        apply();
    if (idle)
        emit settled();
}

} // namespace quillomat
