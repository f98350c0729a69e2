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
    // Packages without a description have nothing to warm; the paths of the others are joined
    // when needed rather than held, 100,000 of them being several times the catalogue's size.
    std::erase_if(m_packages,
                  [](const TAppDescription* package) { return package->TextFile().isEmpty(); });
    const auto takeHead = [this] {
        return m_precedence.takeHead(m_stop, ReadPrecedence::Rank::Background);
    };
    const std::vector<std::size_t> order = orderOnMedium(
        m_packages.size(), [this](std::size_t i) { return m_packages[i]->TextFile(); });
    for (const std::size_t index : order) {
        m_precedence.waitForTurn(m_stop);
        if (m_stop.load())
            return;
        const QString path = m_packages[index]->TextFile();
        if (QFileInfo(path).size() <= kLargestWarmedFile && !m_cache.keepText(path, takeHead))
            return;
        ++m_done;
    }
}

} // namespace quillomat
