#include "platform/CasePaths.h"

#include "platform/WindowsText.h"

#include <QFileInfo>

#include <windows.h>

namespace quillomat {

// Windows' file systems ignore letter case themselves: a path that exists in any case opens as
// written. It is still given back as the disc spells it, folder by folder, so that what the
// program shows is the same on every system; no listing is kept.

ResolvedPath resolvePathCase(const QString& path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return {path, PathMatch::Missing};
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
                                  : FindFirstFileW(nativePath(next).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            spelled = next;
            continue;
        }
        FindClose(search);
        const QString name = QString::fromWCharArray(found.cFileName);
        spelled = i == 0 ? name : spelled + u'/' + name;
    }
    return {spelled, spelled == path ? PathMatch::Exact : PathMatch::OtherCase};
}

void forgetFolderListings() {}

int folderListingsRead()
{
    return 0;
}

} // namespace quillomat
