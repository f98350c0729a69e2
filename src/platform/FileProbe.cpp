#include "platform/FileProbe.h"

#include <QFile>
#include <QFileInfo>

namespace quillomat {

bool canOpenForReading(const QString& path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    file.close();
    return file.error() == QFileDevice::NoError;
}

} // namespace quillomat
