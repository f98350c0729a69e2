#include "app/ProgramInMemory.h"

#include "catalogue/ReadPrecedence.h"
#include "platform/ResidentProgram.h"
#include "platform/ThreadPriority.h"

#include <QElapsedTimer>
#include <QEvent>

#include <cstdio>

namespace quillomat {

ProgramInMemory::ProgramInMemory(const QString& programFolder, ReadPrecedence& precedence)
    : m_programFolder(programFolder), m_precedence(precedence)
{
}

ProgramInMemory::~ProgramInMemory()
{
    m_precedence.stopWaiting(m_stop);
    if (m_thread.joinable())
        m_thread.join();
}

bool ProgramInMemory::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint || m_thread.joinable())
        return false;
    watched->removeEventFilter(this);
    m_thread = std::thread([this] { run(); });
    return false;
}

void ProgramInMemory::run()
{
    idleCurrentThread();
    QElapsedTimer timer;
    timer.start();
    const ResidentProgramReport held =
        keepProgramInMemory(m_programFolder, [this](const std::function<void()>& readPiece) {
            const auto head = m_precedence.takeHead(m_stop, ReadPrecedence::Rank::Background);
            if (m_stop.load())
                return false;
            readPiece();
            return true;
        });
    if (qEnvironmentVariableIsSet("QUILLOMAT_REPORT_RESIDENT"))
        std::fprintf(stderr, "resident: %lld bytes in %d regions (%d copied, %d failed), %lld ms\n",
                     static_cast<long long>(held.bytes), held.regions, held.copied, held.failed,
                     static_cast<long long>(timer.elapsed()));
}

} // namespace quillomat
