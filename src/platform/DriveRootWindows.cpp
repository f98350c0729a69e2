#include "platform/DriveRoot.h"

#include <QDir>
#include <QFileInfo>

namespace quillomat {
namespace {

bool isDriveLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// "//server/share/" from "//server/share/rest" (the part after the two leading slashes).
QString shareRoot(QStringView afterSlashes)
{
    const QList<QStringView> parts = afterSlashes.split(u'/');
    QString root = QStringLiteral("//");
    root.append(parts.value(0)).append(u'/');
    if (parts.size() > 1 && !parts[1].isEmpty())
        root.append(parts[1]).append(u'/');
    return root;
}

} // namespace

QString driveRootOf(const QString& path)
{
    QString absolute = QDir::fromNativeSeparators(path);
    if (!absolute.startsWith(QStringLiteral("//")))
        absolute = QFileInfo(absolute).absoluteFilePath();

    // Long-path forms: "//?/C:/..." and "//?/UNC/server/share/...".
    QStringView rest(absolute);
    if (rest.startsWith(u"//?/") || rest.startsWith(u"//./")) {
        rest = rest.sliced(4);
        if (rest.startsWith(u"UNC/", Qt::CaseInsensitive))
            return shareRoot(rest.sliced(4));
    } else if (rest.startsWith(u"//")) {
        return shareRoot(rest.sliced(2));
    }
    if (rest.size() >= 2 && isDriveLetter(rest[0]) && rest[1] == u':')
        return rest.first(2).toString() + u'/';
    return QDir::rootPath();
}

QString pathOnDrive(const QString&, QStringView pathWithDriveLetter)
{
    return pathWithDriveLetter.toString().replace(u'\\', u'/');
}

bool driveLettersNameDrives()
{
    return true;
}

} // namespace quillomat
