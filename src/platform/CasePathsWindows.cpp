#include "platform/CasePaths.h"

#include "platform/WindowsText.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

namespace quillomat {

// Windows' file systems ignore letter case themselves: a path that exists in any case opens as
// written. It is still given back as the disc spells it, folder by folder, so that what the
// program shows is the same on every system; no listing is kept.

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
    QString spelled = parts.mid(0, kept).join(u'/');
    for (qsizetype i = kept; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const QString next = i == 0 ? part : spelled + u'/' + part;
        WIN32_FIND_DATAW found = {};
        const HANDLE search = part.isEmpty() || part == u"." || part == u".."
                                  ? INVALID_HANDLE_VALUE
                                  : FindFirstFileW(fileApiPath(next).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            spelled = next;
            continue;
        }
        FindClose(search);
        const QString name = QString::fromWCharArray(found.cFileName);
        // A drive-relative first name ("C:x.rtf") keeps its drive.
        const QString drive =
            i == 0 && part.size() > 2 && part[1] == u':' ? part.first(2) : QString();
        spelled = i == 0 ? drive + name : spelled + u'/' + name;
    }
    if (spelled == path)
        return {written, PathMatch::Exact};
    return {spelled, PathMatch::OtherCase};
}

void forgetFolderListings() {}

int folderListingsRead()
{
    return 0;
}

} // namespace quillomat
