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
    // Results still on their way to the window's thread are dropped with this object.
    if (m_jobs > 0)
        holdOthersBack(false);
}

void MediumReader::holdOthersBack(bool hold)
{
    if (!m_precedence)
        return;
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
    }
    m_wake.notify_one();
    if (wasIdle) {
        holdOthersBack(true);
        emit started();
    }
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
    }
    ++m_newest; // the read in hand, if any, is no longer wanted
    if (idle) {
        holdOthersBack(false);
        emit settled();
    }
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
        }
        Apply apply = read();
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
    if (idle)
        holdOthersBack(false);
    // Only the newest request's result is shown; an older one was overtaken while it was read.
    if (ticket == m_newest && apply)
        apply();
    if (idle)
        emit settled();
}

} // namespace quillomat
