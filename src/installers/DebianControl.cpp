// A Debian package is an ar archive; its member control.tar(.gz|.xz|.zst) holds the control
// file, whose fields are "Name: value" lines.

#include "installers/Bytes.h"
#include "installers/Decompress.h"
#include "installers/InstallerInfo.h"

#include <QMap>

namespace quillomat {
namespace {

// The control archive holds a few small files; anything larger is not a package's.
constexpr qint64 kMaxControlArchive = 16 * 1024 * 1024;
constexpr qint64 kMaxControlTar = 64 * 1024 * 1024;
constexpr int kMaxMembers = 16;
constexpr qint64 kArHeader = 60;
constexpr qint64 kTarBlock = 512;

struct ArMember
{
    QString name;
    qint64 offset = 0, size = 0;
};

// The members of an ar archive, up to kMaxMembers.
QList<ArMember> arMembers(QIODevice& file)
{
    QList<ArMember> members;
    const std::optional<QByteArray> magic = bytes::readAt(file, 0, 8);
    if (!magic || *magic != "!<arch>\n")
        return members;
    for (qint64 at = 8; members.size() < kMaxMembers;) {
        const std::optional<QByteArray> header = bytes::readAt(file, at, kArHeader);
        if (!header || !header->endsWith("`\n"))
            break;
        bool ok = false;
        const qint64 size = header->mid(48, 10).trimmed().toLongLong(&ok);
        if (!ok || size < 0)
            break;
        QString name = QString::fromLatin1(header->left(16)).trimmed();
        if (name.endsWith(u'/')) // GNU ar ends names with a slash
            name.chop(1);
        members.append({name, at + kArHeader, size});
        at += kArHeader + size + (size & 1);
    }
    return members;
}

qint64 octal(const QByteArray& field)
{
    qint64 value = 0;
    for (const char c : field) {
        if (c >= '0' && c <= '7')
            value = value * 8 + (c - '0');
        else if (c != ' ' || value != 0)
            break;
    }
    return value;
}

// The file "control" of a tar archive, or nullopt.
std::optional<QByteArray> tarFile(const QByteArray& tar, const QByteArray& wanted)
{
    for (qint64 at = 0; at + kTarBlock <= tar.size();) {
        const QByteArray header = tar.mid(at, kTarBlock);
        if (header.count('\0') == kTarBlock)
            break;
        QByteArray name = header.left(100);
        name.truncate(name.indexOf('\0') < 0 ? 100 : name.indexOf('\0'));
        if (name.startsWith("./"))
            name.remove(0, 2);
        const qint64 size = octal(header.mid(124, 12));
        const char type = header.at(156);
        if (name == wanted && (type == '0' || type == '\0'))
            return tar.mid(at + kTarBlock, size);
        at += kTarBlock + (size + kTarBlock - 1) / kTarBlock * kTarBlock;
    }
    return std::nullopt;
}

// The fields of a control paragraph; continuation lines are left out.
QMap<QString, QString> controlFields(const QByteArray& control)
{
    QMap<QString, QString> fields;
    for (const QByteArray& line : control.split('\n')) {
        if (line.isEmpty())
            break; // end of the paragraph
        if (line.startsWith(' ') || line.startsWith('\t'))
            continue;
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            fields.insert(QString::fromUtf8(line.left(colon)).toLower(),
                          QString::fromUtf8(line.mid(colon + 1)).trimmed());
    }
    return fields;
}

// "Jane Doe <jane@example.org>" as "Jane Doe".
QString withoutAddress(const QString& person)
{
    const qsizetype angle = person.indexOf(u'<');
    return (angle >= 0 ? person.left(angle) : person).trimmed();
}

// The upstream part of a Debian version: no epoch ("1:"), no revision ("-1").
QString upstreamVersion(QString version)
{
    if (const qsizetype colon = version.indexOf(u':'); colon >= 0)
        version.remove(0, colon + 1);
    if (const qsizetype dash = version.lastIndexOf(u'-'); dash > 0)
        version.truncate(dash);
    return version;
}

} // namespace

InstallerInfo readDebianControl(QIODevice& file)
{
    InstallerInfo info;
    for (const ArMember& member : arMembers(file)) {
        if (!member.name.startsWith(QStringLiteral("control.tar")))
            continue;
        const std::optional<Compression> compression = compressionOfName(member.name);
        if (!compression) {
            info.problem = QStringLiteral("unknown compression of %1").arg(member.name);
            return info;
        }
        if (member.size > kMaxControlArchive) {
            info.problem = QStringLiteral("%1 is too large").arg(member.name);
            return info;
        }
        const std::optional<QByteArray> packed = bytes::readAt(file, member.offset, member.size);
        if (!packed) {
            info.problem = QStringLiteral("the file ends inside %1").arg(member.name);
            return info;
        }
        QString problem;
        const std::optional<QByteArray> tar =
            decompress(*packed, *compression, kMaxControlTar, problem);
        if (!tar) {
            info.problem = member.name + QStringLiteral(": ") + problem;
            return info;
        }
        const std::optional<QByteArray> control = tarFile(*tar, "control");
        if (!control) {
            info.problem = QStringLiteral("%1 holds no control file").arg(member.name);
            return info;
        }
        const QMap<QString, QString> fields = controlFields(*control);
        info.name = fields.value(QStringLiteral("package"));
        info.version = upstreamVersion(fields.value(QStringLiteral("version")));
        info.company = withoutAddress(fields.value(QStringLiteral("maintainer")));
        if (info.company.isEmpty())
            info.company = fields.value(QStringLiteral("origin"));
        // "contrib/games" is in the games section of contrib.
        info.category = fields.value(QStringLiteral("section")).section(u'/', -1);
        return info;
    }
    return info;
}

} // namespace quillomat
