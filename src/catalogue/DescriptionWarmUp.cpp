#include "catalogue/DescriptionWarmUp.h"

#include "catalogue/DescriptionTextCache.h"
#include "catalogue/TAppDescription.h"
#include "platform/MediumOrder.h"
#include "platform/ThreadPriority.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

namespace quillomat {
namespace {

// Larger files are left to the search that needs them: converting one takes long enough to
// hold up quitting, and a few of them would fill the budget.
constexpr qint64 kLargestWarmedFile = qint64(4) << 20;

} // namespace

DescriptionWarmUp::DescriptionWarmUp(DescriptionTextCache& cache, ReadPrecedence& precedence,
                                     std::vector<const TAppDescription*> packages)
    : m_cache(cache), m_precedence(precedence), m_packages(std::move(packages))
{
    m_thread.reset(QThread::create([this] {
        // Only on a core that nothing else wants: the warm-up never delays a paint or a key.
        m_priorityToken = idleCurrentThread();
        run();
        // Whichever of this thread and stop() takes the token gives it back.
        if (const std::intptr_t token = m_priorityToken.exchange(0); token != 0)
            restoreThreadPriority(token);
    }));
    m_thread->setObjectName(QStringLiteral("description warm-up"));
    m_thread->start();
}

DescriptionWarmUp::~DescriptionWarmUp()
{
    stop();
}

void DescriptionWarmUp::stop()
{
    m_precedence.stopWaiting(m_stop);
    // At the idle priority the file in hand could wait long for a core that others keep busy;
    // whoever stops the warm-up is waiting for it now.
    if (const std::intptr_t token = m_priorityToken.exchange(0); token != 0)
        restoreThreadPriority(token);
    m_thread->wait();
}

bool DescriptionWarmUp::isRunning() const
{
    return m_thread->isRunning();
}

bool DescriptionWarmUp::wait(int ms)
{
    return m_thread->wait(ms < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(ms));
}

void DescriptionWarmUp::run()
{
    QStringList paths;
    paths.reserve(qsizetype(m_packages.size()));
    for (const TAppDescription* package : m_packages)
        paths.append(package->TextFile());
    const auto takeHead = [this] {
        return m_precedence.takeHead(m_stop, ReadPrecedence::Rank::Background);
    };
    for (const std::size_t index : orderOnMedium(paths)) {
        m_precedence.waitForTurn(m_stop);
        if (m_stop.load())
            return;
        const QString& path = paths[qsizetype(index)];
        if (QFileInfo(path).size() <= kLargestWarmedFile && !m_cache.keepText(path, takeHead))
            return;
        ++m_done;
    }
}

} // namespace quillomat
