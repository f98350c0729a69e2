#include "app/SearchRunner.h"

#include "app/PackageListView.h"
#include "catalogue/TProject.h"
#include "platform/ThreadPriority.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QThread>
#include <QTimer>

namespace quillomat {

SearchRunner::SearchRunner(TProject& project, PackageListView& list, QWidget& window)
    : m_project(project), m_list(list), m_window(window)
{
    m_window.installEventFilter(this);
}

SearchRunner::~SearchRunner()
{
    cancel();
}

bool SearchRunner::start(const QString& text)
{
    if (isRunning())
        return false;
    if (m_project.applications().size() <= kInlinePackages) {
        m_list.refill([&](RowList& rows) { m_project.Search(rows, text); });
        emit finished();
        return true;
    }
    m_cancelled = false;
    m_result.reset();
    const unsigned generation = ++m_generation;
    m_thread.reset(QThread::create([this, text, generation] {
        lowerCurrentThreadPriority(); // the window's thread comes first, also on few cores
        m_result = m_project.searchMatches(text, SearchControl{0, &m_cancelled});
        QMetaObject::invokeMethod(
            this, [this, generation] { finish(generation); }, Qt::QueuedConnection);
    }));
    m_thread->setObjectName(QStringLiteral("keyword search"));
    m_list.setCursor(Qt::BusyCursor);
    // Escape may be pressed anywhere in the window.
    qApp->installEventFilter(this);
    m_thread->start();
    return true;
}

void SearchRunner::cancel()
{
    if (!isRunning())
        return;
    m_cancelled = true;
    endRun();
}

void SearchRunner::finish(unsigned generation)
{
    if (generation != m_generation || !isRunning())
        return; // cancelled meanwhile
    endRun();
    if (m_result)
        m_list.refill([&](RowList& rows) { m_project.showSearchResult(rows, *m_result); });
    m_result.reset();
    emit finished();
}

void SearchRunner::endRun()
{
    m_thread->wait();
    m_thread.reset();
    qApp->removeEventFilter(this);
    m_list.unsetCursor();
}

void SearchRunner::startWarmUp()
{
    // The packages the list shows lead where the medium's order does not decide.
    std::vector<const TAppDescription*> shown;
    shown.reserve(std::size_t(m_list.count()));
    for (int row = 0; row < m_list.count(); ++row) {
        if (const TAppDescription* package = PackageListView::packageOf(m_list.item(row)))
            shown.push_back(package);
    }
    m_project.startDescriptionWarmUp(shown);
}

bool SearchRunner::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::Paint && !m_warmUpScheduled) {
        m_warmUpScheduled = true; // this filter also sees the window's paints during a search
        m_window.removeEventFilter(this);
        // After this paint has reached the screen.
        QTimer::singleShot(0, this, &SearchRunner::startWarmUp);
    } else if (event->type() == QEvent::KeyPress && isRunning() &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        cancel();
        return true;
    }
    return false;
}

} // namespace quillomat
