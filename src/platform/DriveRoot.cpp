#include "platform/DriveRoot.h"

#include <QStorageInfo>

namespace quillomat {

QString driveRootOf(const QString& path)
{
    const QStorageInfo storage(path);
    QString root = storage.isValid() ? storage.rootPath() : QString();
    if (root.isEmpty())
        return QStringLiteral("/");
    if (!root.endsWith(u'/'))
        root.append(u'/');
    return root;
}

} // namespace quillomat
