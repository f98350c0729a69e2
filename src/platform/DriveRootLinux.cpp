#include "platform/DriveRoot.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace quillomat {

QString driveRootOf(const QString& path)
{
    // A path that does not exist (yet) belongs to the file system of its nearest existing folder.
    QString existing = QFileInfo(path).absoluteFilePath();
    while (!QFileInfo::exists(existing) && existing != QStringLiteral("/"))
        existing = QFileInfo(existing).absolutePath();
    const QStorageInfo storage(existing);
    QString root = storage.isValid() ? storage.rootPath() : QString();
    if (root.isEmpty())
        return QStringLiteral("/");
    if (!root.endsWith(u'/'))
        root.append(u'/');
    return root;
}

QString pathOnDrive(const QString& driveRoot, QStringView pathWithDriveLetter)
{
    QStringView rest = pathWithDriveLetter.sliced(2);
    while (!rest.isEmpty() && (rest.front() == u'\\' || rest.front() == u'/'))
        rest = rest.sliced(1);
    QString path = driveRoot;
    if (!path.isEmpty() && !path.endsWith(u'/'))
        path.append(u'/');
    return path.append(rest).replace(u'\\', u'/');
}

bool driveLettersNameDrives()
{
    return false;
}

} // namespace quillomat
