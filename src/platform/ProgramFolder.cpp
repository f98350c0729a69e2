#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace quillomat {

QString programFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace quillomat
