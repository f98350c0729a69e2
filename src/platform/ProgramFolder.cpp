#include "platform/ProgramFolder.h"

#include <QFileInfo>

namespace quillomat {

QString programFolder()
{
    QString folder = QFileInfo(programFilePath()).absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace quillomat
