#include "catalogue/PathRules.h"

#include <algorithm>

namespace quillomat {
namespace {

QString withForwardSlashes(QString path)
{
    return path.replace(u'\\', u'/');
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isAbsoluteAsWritten(const QString& value)
{
    if (value.startsWith(u'/') || value.startsWith(QStringLiteral("\\\\")))
        return true;
    return value.size() >= 2 && isAsciiLetter(value[0]) && value[1] == u':';
}

} // namespace

QString settledCdFolder(const QString& folder)
{
    QString settled = withForwardSlashes(folder);
    if (!settled.endsWith(u'/'))
        settled.append(u'/');
    return settled;
}

QString resolvedOnDisc(const QString& cdFolder, const QString& value)
{
    if (value.isEmpty())
        return value;
    if (isAbsoluteAsWritten(value))
        return withForwardSlashes(value);
    // The folder already ends in a separator; a leading one of the value would double it.
    const QStringView relative = value.startsWith(u'\\') ? QStringView(value).sliced(1) : value;
    QString path;
    path.reserve(cdFolder.size() + relative.size());
    path.append(cdFolder);
    path.append(relative);
    std::replace(path.begin() + cdFolder.size(), path.end(), QChar(u'\\'), QChar(u'/'));
    return path;
}

} // namespace quillomat
