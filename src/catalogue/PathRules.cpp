#include "catalogue/PathRules.h"

#include "platform/DriveRoot.h"

#include <algorithm>

namespace quillomat {
namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// `base` (ending in '/') followed by `rest` with backslashes turned into '/'.
QString joined(const QString& base, QStringView rest)
{
    QString path;
    path.reserve(base.size() + rest.size());
    path.append(base);
    path.append(rest);
    std::replace(path.begin() + base.size(), path.end(), QChar(u'\\'), QChar(u'/'));
    return path;
}

} // namespace

bool startsWithDriveLetter(QStringView text)
{
    return text.size() >= 2 && isAsciiLetter(text[0]) && text[1] == u':';
}

QString settledCdFolder(const QString& folder, const QString& driveRoot)
{
    QString settled =
        startsWithDriveLetter(folder) ? pathOnDrive(driveRoot, folder) : joined(QString(), folder);
    if (!settled.endsWith(u'/'))
        settled.append(u'/');
    return settled;
}

std::optional<QStringView> partInFolder(QStringView value)
{
    if (value.isEmpty() || startsWithDriveLetter(value) || value.startsWith(u'/') ||
        value.startsWith(u"\\\\"))
        return std::nullopt;
    // The folder already ends in a separator; a leading one of the value would double it.
    return value.startsWith(u'\\') ? value.sliced(1) : value;
}

QString resolvedOnDisc(const QString& cdFolder, const QString& value, const QString& driveRoot)
{
    if (value.isEmpty())
        return value;
    if (const auto part = partInFolder(value))
        return joined(cdFolder, *part);
    if (startsWithDriveLetter(value))
        return pathOnDrive(driveRoot, value);
    return joined(QString(), value); // a path of its own
}

} // namespace quillomat
