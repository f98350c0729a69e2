#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <thread>

namespace quillomat {

class ReadPrecedence;

// Installed on the main window: after its first paint, reads the rest of the program's own
// files from the medium into memory on a thread of the lowest priority (keepProgramInMemory),
// so that the program keeps running when the medium is pulled out. It reads a piece at a time
// and only when no other reader of the medium is waiting. With QUILLOMAT_REPORT_RESIDENT set,
// prints what it held to standard error when done.
class ProgramInMemory : public QObject
{
public:
    // The precedence must outlive this object.
    ProgramInMemory(const QString& programFolder, ReadPrecedence& precedence);
    // Stops after the piece in hand.
    ~ProgramInMemory() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();

    const QString m_programFolder;
    ReadPrecedence& m_precedence;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace quillomat
