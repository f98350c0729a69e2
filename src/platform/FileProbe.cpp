#include "platform/FileProbe.h"

#include "platform/FileReading.h"

#include <QFile>

namespace quillomat {

bool canOpenForReading(const QString& path)
{
    if (!isRegularFile(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    file.close();
    return file.error() == QFileDevice::NoError;
}

} // namespace quillomat
