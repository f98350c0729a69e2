#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace quillomat {

// Installed on a window, ends the application right after the window has painted itself once:
// the start-up benchmark measures process start to first paint this way.
class QuitAfterFirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

} // namespace quillomat
