#include "app/ProgramInMemory.h"

#include "platform/ResidentProgram.h"
#include "platform/ThreadPriority.h"

#include <QElapsedTimer>
#include <QEvent>

#include <cstdio>
#include <thread>

namespace quillomat {

ProgramInMemory::ProgramInMemory(const QString& programFolder, QObject* parent)
    : QObject(parent), m_programFolder(programFolder)
{
}

bool ProgramInMemory::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint)
        return false;
    watched->removeEventFilter(this);
    // Detached: it touches nothing of Qt's, and closing the window must not wait for a slow
    // medium to be read through; the process's end stops it wherever it is.
    std::thread([folder = m_programFolder,
                 report = qEnvironmentVariableIsSet("QUILLOMAT_REPORT_RESIDENT")] {
        idleCurrentThread();
        QElapsedTimer timer;
        timer.start();
        const ResidentProgramReport held = keepProgramInMemory(folder);
        if (report)
            std::fprintf(stderr, "resident: %lld bytes in %d regions (%d failed), %lld ms\n",
                         static_cast<long long>(held.bytes), held.regions, held.failed,
                         static_cast<long long>(timer.elapsed()));
    }).detach();
    return false;
}

} // namespace quillomat
