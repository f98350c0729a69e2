#include "installers/InstallerInfo.h"

#include <QFile>
#include <QRegularExpression>

namespace quillomat {
namespace {

struct Reader
{
    const char* extension;
    InstallerKind kind;
    InstallerInfo (*read)(QIODevice&);
};

const Reader kReaders[] = {
    {".exe", InstallerKind::WindowsProgram, readWindowsVersion},
    {".msi", InstallerKind::WindowsInstaller, readMsiSummary},
    {".deb", InstallerKind::DebianPackage, readDebianControl},
    {".rpm", InstallerKind::RpmPackage, readRpmHeader},
};

// "1, 2, 0, 0" and "1.2.0.0" as "1.2": old resource compilers wrote commas, and trailing zero
// parts say nothing in a menu.
QString tidyVersion(QString version)
{
    static const QRegularExpression commas(QStringLiteral("\\s*,\\s*"));
    version.replace(commas, QStringLiteral("."));
    while (version.count(u'.') > 1 && version.endsWith(QStringLiteral(".0")))
        version.chop(2);
    return version.trimmed();
}

} // namespace

QString InstallerInfo::nameWithVersion() const
{
    const QString tidy = tidyVersion(version);
    if (name.isEmpty() || tidy.isEmpty() || name.endsWith(tidy) || name.endsWith(version))
        return name;
    return name + u' ' + tidy;
}

InstallerKind installerKindOf(const QString& fileName)
{
    for (const Reader& reader : kReaders) {
        if (fileName.endsWith(QLatin1StringView(reader.extension), Qt::CaseInsensitive))
            return reader.kind;
    }
    return InstallerKind::None;
}

InstallerInfo readInstallerInfo(const QString& path)
{
    const InstallerKind kind = installerKindOf(path);
    for (const Reader& reader : kReaders) {
        if (reader.kind != kind)
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            InstallerInfo info;
            info.problem = file.errorString();
            return info;
        }
        return reader.read(file);
    }
    return {};
}

} // namespace quillomat
