#include "app/CommandLine.h"

#include "text/TextServices.h"

namespace quillomat {
namespace {

const QString kDefaultMenuFile = QStringLiteral("quillomat.qmf");

QString withTrailingSeparator(const QString& folder)
{
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder;
    return folder + u'/';
}

} // namespace

StartFiles resolveStartFiles(const QStringList& arguments, const QString& programFolder,
                             const QString& driveRoot)
{
    qsizetype switchAt = -1;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (upperCased(arguments[i]) == QLatin1String("/TEST")) {
            switchAt = i;
            break;
        }
    }
    if (switchAt >= 0 && switchAt + 1 < arguments.size()) {
        const QString folder = withTrailingSeparator(arguments[switchAt + 1]);
        return {programFolder + kDefaultMenuFile, folder, folder};
    }
    if (!arguments.isEmpty())
        return {arguments.front(), QString(), driveRoot};
    return {programFolder + kDefaultMenuFile, driveRoot, driveRoot};
}

} // namespace quillomat
