#include "platform/CasePaths.h"

#include "platform/WindowsText.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

namespace quillomat {

// Windows' file systems ignore letter case themselves: a path that exists in any case opens as
// written. It is still given back as the disc spells it, folder by folder, so that what the
// program shows is the same on every system; no listing is kept. Where a name differs from the
// disc's, the path is given back as Windows itself reads it: doubled separators and "." taken
// out, ".." taking out the name before it.

namespace {

void appendPart(QStringList& parts, qsizetype kept, const QString& part)
{
    if (part.isEmpty() || part == u".")
        return;
    if (part == u".." && parts.size() > kept && parts.back() != u"..")
        parts.removeLast();
    else
        parts.append(part);
}

} // namespace

ResolvedPath resolvePathCase(const QString& written)
{
    // A path from the command line or a menu may use either separator: "C:\x.rtf" is as
    // absolute as "C:/x.rtf".
    const QString path = QDir::fromNativeSeparators(written);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {written, PathMatch::Missing};
    const QStringList parts = path.split(u'/');
    // Kept as written: the drive ("E:"), the root, or a share's "//server/share"; a relative
    // path's first name is looked up like the others.
    const qsizetype kept = path.startsWith(QStringLiteral("//"))                     ? 4
                           : parts.front().isEmpty() || parts.front().endsWith(u':') ? 1
                                                                                     : 0;
    QStringList asWritten = parts.mid(0, kept);
    QStringList spelled = asWritten;
    for (qsizetype i = kept; i < parts.size(); ++i) {
        const QString& part = parts[i];
        appendPart(asWritten, kept, part);
        WIN32_FIND_DATAW found = {};
        const bool isName = !part.isEmpty() && part != u"." && part != u"..";
        const HANDLE search =
            isName ? FindFirstFileW(fileApiPath((spelled + QStringList{part}).join(u'/')).c_str(),
                                    &found)
                   : INVALID_HANDLE_VALUE;
        if (search == INVALID_HANDLE_VALUE) {
            appendPart(spelled, kept, part);
            continue;
        }
        FindClose(search);
        const QString name = QString::fromWCharArray(found.cFileName);
        // A drive-relative first name ("C:x.rtf") keeps its drive.
        const QString drive =
            i == 0 && part.size() > 2 && part[1] == u':' ? part.first(2) : QString();
        spelled.append(drive + name);
    }
    if (spelled == asWritten)
        return {written, PathMatch::Exact};
    const bool endsWithSlash = path.endsWith(u'/') && spelled.size() > kept;
    return {spelled.join(u'/') + (endsWithSlash ? QStringLiteral("/") : QString()),
            PathMatch::OtherCase};
}

void forgetFolderListings() {}

int folderListingsRead()
{
    return 0;
}

} // namespace quillomat
