#pragma once
// What the window benchmarks measure the GUI thread with.

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace quillomat::bench {

// Returns once `window`, already shown, has had its first paint.
inline void waitForFirstPaint(QObject& window)
{
    QEventLoop painted;
    struct FirstPaint : QObject
    {
        QEventLoop* loop = nullptr;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, loop, &QEventLoop::quit);
            return false;
        }
    } firstPaint;
    firstPaint.loop = &painted;
    window.installEventFilter(&firstPaint);
    painted.exec();
    window.removeEventFilter(&firstPaint);
}

// Asks the GUI thread for an answer every millisecond from a thread of its own, as a screen
// reader's call would, and keeps the longest time an answer took.
class LatencyProbe
{
public:
    LatencyProbe(QObject* guiObject) : m_guiObject(guiObject) {}
    ~LatencyProbe() { stop(); }
    void start()
    {
        m_longestNs = 0;
        m_running = true;
        m_thread = std::thread([this] {
            while (m_running) {
                // The GUI thread itself measures how long the call waited, so that a late
                // wake-up of this thread does not count.
                const auto asked = std::chrono::steady_clock::now();
                m_answered = false;
                QMetaObject::invokeMethod(
                    m_guiObject,
                    [this, asked] {
                        const qint64 waited = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                                  std::chrono::steady_clock::now() - asked)
                                                  .count();
                        m_longestNs = std::max<qint64>(m_longestNs, waited);
                        ++m_answers;
                        m_answered = true;
                    },
                    Qt::QueuedConnection);
                while (!m_answered && m_running)
                    std::this_thread::sleep_for(std::chrono::microseconds(200));
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            m_done = true;
        });
    }
    // The longest wait for an answer since start(), in milliseconds.
    double stop()
    {
        if (m_thread.joinable()) {
            m_running = false;
            // The last call needs the event loop to answer it.
            while (!m_done)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            m_thread.join();
            // A call still queued refers to this probe: answer it now.
            QCoreApplication::sendPostedEvents(m_guiObject, QEvent::MetaCall);
        }
        return double(m_longestNs.load()) / 1e6;
    }

private:
    QObject* m_guiObject;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_answered{false};

public:
    // How many calls were answered: few means this probe's own thread found no core.
    int answers() const { return m_answers; }

private:
    int m_answers = 0; // touched by the GUI thread only
    std::atomic<qint64> m_longestNs{0};
};

// Runs the event loop for that long.
inline void waitFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace quillomat::bench
