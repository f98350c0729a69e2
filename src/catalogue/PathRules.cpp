#include "catalogue/PathRules.h"

#include <algorithm>

namespace quillomat {
namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isSeparator(QChar c)
{
    return c == u'\\' || c == u'/';
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

// The drive root followed by what comes after "X:" and its separators: "E:", "E:\" and "E:/"
// all name the root itself. "E:dir" (relative to the drive's current folder on Windows) is
// read from the root as well, since a disc's current folder is its root.
QString onDrive(const QString& driveRoot, QStringView value)
{
    QStringView rest = value.sliced(2);
    while (!rest.isEmpty() && isSeparator(rest.front()))
        rest = rest.sliced(1);
    return joined(driveRoot, rest);
}

} // namespace

bool startsWithDriveLetter(QStringView text)
{
    return text.size() >= 2 && isAsciiLetter(text[0]) && text[1] == u':';
}

QString settledCdFolder(const QString& folder, const QString& driveRoot)
{
    QString settled =
        startsWithDriveLetter(folder) ? onDrive(driveRoot, folder) : joined(QString(), folder);
    if (!settled.endsWith(u'/'))
        settled.append(u'/');
    return settled;
}

QString resolvedOnDisc(const QString& cdFolder, const QString& value, const QString& driveRoot)
{
    if (value.isEmpty())
        return value;
    if (startsWithDriveLetter(value))
        return onDrive(driveRoot, value);
    if (value.startsWith(u'/') || value.startsWith(QStringLiteral("\\\\")))
        return joined(QString(), value);
    // The folder already ends in a separator; a leading one of the value would double it.
    return joined(cdFolder, value.startsWith(u'\\') ? QStringView(value).sliced(1) : value);
}

} // namespace quillomat
