#pragma once

#include <QObject>
#include <QString>

namespace quillomat {

// Installed on the main window: after its first paint, reads the rest of the program's own
// files from the medium into memory on a thread of the lowest priority (keepProgramInMemory),
// so that the program keeps running when the medium is pulled out. With
// QUILLOMAT_REPORT_RESIDENT set, prints what it held to standard error when done.
class ProgramInMemory : public QObject
{
public:
    ProgramInMemory(const QString& programFolder, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QString m_programFolder;
};

} // namespace quillomat
