#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>

#include <chrono>

namespace quillomat {

// Installed on a window, ends the application right after the window has painted itself once:
// the start-up benchmarks measure process start to first paint this way. With
// QUILLOMAT_FIRST_PAINT_STAMP naming a file, the moment of the first paint is written there
// (seconds since 1970, the clock `date +%s.%N` reads), so that a benchmark can leave out the
// time the program takes to end.
class QuitAfterFirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Runs once the paint is done and shown, before anything else the loop has queued.
            QTimer::singleShot(0, qApp, [] {
                writeStamp();
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    static void writeStamp()
    {
        const QString path = qEnvironmentVariable("QUILLOMAT_FIRST_PAINT_STAMP");
        if (path.isEmpty())
            return;
        const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
        const double seconds = std::chrono::duration<double>(sinceEpoch).count();
        QFile stamp(path);
        if (stamp.open(QIODevice::WriteOnly | QIODevice::Truncate))
            stamp.write(QByteArray::number(seconds, 'f', 6));
    }
};

} // namespace quillomat
