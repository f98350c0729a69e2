#include "check/FileChecks.h"

#include "graphics/PreviewPicture.h"
#include "platform/CasePaths.h"
#include "platform/RegularFile.h"
#include "platform/ShellOpen.h"
#include "richtext/PlainText.h"

#include <QDir>
#include <QFileInfo>

namespace quillomat {
namespace {

QString quoted(const QString& path)
{
    return u'"' + path + u'"';
}

bool hasExtension(const QString& path, QStringView extension)
{
    return path.section(u'/', -1).endsWith(extension, Qt::CaseInsensitive);
}

} // namespace

QString besideFile(const QString& file, const QString& name)
{
    const QString folder = QFileInfo(file).path();
    return folder == u'.' ? name : folder + u'/' + name;
}

std::optional<QString> locateNamedFile(Report& report, const QString& section, const QString& key,
                                       const QString& path)
{
    ResolvedPath resolved = resolvePathCase(path);
    // What is found is reported the way the user wrote the path (the resolver may give a path
    // that climbs with ".." as an absolute one).
    if (QDir::isRelativePath(path) && QDir::isAbsolutePath(resolved.path))
        resolved.path = QDir::current().relativeFilePath(resolved.path);
    switch (resolved.match) {
    case PathMatch::Exact:
        break;
    case PathMatch::Missing:
        report.error(section, key, quoted(path) + QStringLiteral(" not found"));
        return std::nullopt;
    case PathMatch::OtherCase:
        report.warning(section, key,
                       QStringLiteral("%1 is on disc only with other letter case, as %2: a disc "
                                      "read where case matters may not find it")
                           .arg(quoted(path), quoted(resolved.path)));
        break;
    }
    return resolved.path;
}

void checkRunFile(Report& report, const QString& section, const QString& key, const QString& path)
{
    if (!canShellOpen(path))
        report.warning(section, key,
                       quoted(path) + QStringLiteral(" is neither a program nor of a type an "
                                                     "application on this machine opens"));
}

void checkDescription(Report& report, const QString& section, const QString& key,
                      const QString& path)
{
    QString why;
    const std::optional<QByteArray> bytes = readRegularFile(path, &why);
    if (!bytes) {
        report.error(section, key, quoted(path) + QStringLiteral(" cannot be read: ") + why);
        return;
    }
    const PlainTextReading reading = readPlainText(*bytes);
    if (!reading.isRtf && hasExtension(path, u".rtf"))
        report.error(section, key,
                     quoted(path) +
                         QStringLiteral(" is named .rtf but is not RTF: its text is shown as is"));
    else if (reading.cutShort)
        report.error(section, key,
                     quoted(path) + QStringLiteral(" is RTF that ends before its groups are "
                                                   "closed: the file is cut short"));
    else if (reading.text.contains(QChar(0)))
        report.error(section, key, quoted(path) + QStringLiteral(" is not text"));
    else if (reading.text.trimmed().isEmpty())
        report.error(section, key, quoted(path) + QStringLiteral(" holds no text"));
}

void checkPicture(Report& report, const QString& section, const QString& key, const QString& path,
                  QSize screen)
{
    QString why;
    const std::optional<QImage> picture = loadPreviewPicture(path, &why);
    if (!picture) {
        report.error(section, key, quoted(path) + QStringLiteral(" cannot be shown: ") + why);
        return;
    }
    if (picture->width() > screen.width() || picture->height() > screen.height())
        report.error(section, key,
                     QStringLiteral("%1 is %2 x %3 pixels, larger than a %4 x %5 screen")
                         .arg(quoted(path), QString::number(picture->width()),
                              QString::number(picture->height()), QString::number(screen.width()),
                              QString::number(screen.height())));
}

} // namespace quillomat
