// Letter-case resolution on file systems that tell case apart (ext4, ISO 9660 as Linux mounts
// it): folders are read with readdir and kept, so that each is listed once per session.
#include "platform/CasePaths.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <memory>

#include <dirent.h>
#include <sys/stat.h>

namespace quillomat {
namespace {

// The names of one folder, grouped by their case-folded form; each group sorted by code unit
// so that its first name is the deterministic choice.
using Listing = QHash<QString, QStringList>;

struct ListingCache
{
    QMutex mutex;
    // Folder path ending in '/' -> its listing; nullptr for a folder that cannot be listed.
    QHash<QString, std::shared_ptr<const Listing>> folders;
    std::atomic<int> listingsRead = 0;
};

ListingCache& cache()
{
    static ListingCache instance;
    return instance;
}

bool nameExists(const QString& path)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

std::shared_ptr<const Listing> readListing(const QString& folder)
{
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return nullptr;
    auto listing = std::make_shared<Listing>();
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name == u"." || name == u"..")
            continue;
        (*listing)[name.toCaseFolded()].append(name);
    }
    ::closedir(dir);
    for (QStringList& names : *listing)
        std::sort(names.begin(), names.end());
    ++cache().listingsRead;
    return listing;
}

// The folder's listing, read on first use. Two threads may read the same folder at once; the
// first one to finish is kept, which is harmless since both read the same folder.
std::shared_ptr<const Listing> listingOf(const QString& folder)
{
    ListingCache& shared = cache();
    {
        const QMutexLocker lock(&shared.mutex);
        const auto found = shared.folders.constFind(folder);
        if (found != shared.folders.cend())
            return *found;
    }
    std::shared_ptr<const Listing> listing = readListing(folder);
    const QMutexLocker lock(&shared.mutex);
    const auto kept = shared.folders.constFind(folder);
    if (kept != shared.folders.cend())
        return *kept;
    shared.folders.insert(folder, listing);
    return listing;
}

void forgetListings(const QStringList& folders)
{
    ListingCache& shared = cache();
    const QMutexLocker lock(&shared.mutex);
    for (const QString& folder : folders)
        shared.folders.remove(folder);
}

// `name` without the dots and spaces that end it: Windows drops them from every name it is
// given ("setup.exe." opens setup.exe), so a menu written there may have them.
QString withoutTrailingDotsAndSpaces(const QString& name)
{
    qsizetype end = name.size();
    while (end > 0 && (name[end - 1] == u'.' || name[end - 1] == u' '))
        --end;
    return name.first(end);
}

QStringList namesIgnoringCase(const QString& folder, const QString& name);

// The names in `folder` that `name` may stand for, best first: itself when present, then the
// names equal to it without regard to case in code-unit order; failing those, the same for the
// name without its trailing dots and spaces.
QStringList namesInFolder(const QString& folder, const QString& name)
{
    const QStringList names = namesIgnoringCase(folder, name);
    if (!names.isEmpty())
        return names;
    const QString trimmed = withoutTrailingDotsAndSpaces(name);
    if (trimmed.isEmpty() || trimmed.size() == name.size())
        return names;
    return namesIgnoringCase(folder, trimmed);
}

QStringList namesIgnoringCase(const QString& folder, const QString& name)
{
    const std::shared_ptr<const Listing> listing = listingOf(folder);
    if (!listing) // searchable but not readable: only an exact name can be found
        return nameExists(folder + name) ? QStringList{name} : QStringList();
    const auto group = listing->constFind(name.toCaseFolded());
    if (group == listing->cend())
        return {};
    QStringList names = *group;
    if (const qsizetype exact = names.indexOf(name); exact > 0)
        names.move(exact, 0);
    return names;
}

QString parentFolder(const QString& folder)
{
    if (folder.size() <= 1)
        return folder;
    return folder.left(folder.lastIndexOf(u'/', folder.size() - 2) + 1);
}

struct Walk
{
    QStringList parts;
    bool endsWithSlash = false;
    QStringList visited; // folders whose listings were used
};

// The path on disc for parts[index...] below `folder` (which ends in '/'), or empty. Where one
// folder holds names that differ only in case, each is tried in turn, best first, so that a
// file is found in whichever of them holds it.
QString walkFrom(Walk& walk, QString folder, qsizetype index)
{
    for (; index < walk.parts.size(); ++index) {
        const QString& part = walk.parts[index];
        if (part == u".")
            continue;
        if (part == u"..") {
            folder = parentFolder(folder);
            continue;
        }
        walk.visited.append(folder);
        const bool last = index + 1 == walk.parts.size();
        for (const QString& name : namesInFolder(folder, part)) {
            if (last)
                return folder + name + (walk.endsWithSlash ? QStringLiteral("/") : QString());
            const QString found = walkFrom(walk, folder + name + u'/', index + 1);
            if (!found.isEmpty())
                return found;
        }
        return {};
    }
    return folder;
}

} // namespace

ResolvedPath resolvePathCase(const QString& path)
{
    if (path.isEmpty())
        return {path, PathMatch::Missing};
    if (nameExists(path))
        return {path, PathMatch::Exact};
    // A relative path is looked for from the current folder and stays relative.
    const bool relative = !QDir::isAbsolutePath(path);
    QString base = relative ? QDir::currentPath() : QString();
    if (!base.endsWith(u'/'))
        base.append(u'/');
    const QString absolute = relative ? base + path : path;
    // A kept listing may be out of date (the medium was changed): when what it names is gone,
    // read the folders again once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        Walk walk{absolute.split(u'/', Qt::SkipEmptyParts), absolute.endsWith(u'/'), {}};
        QString found = walkFrom(walk, QStringLiteral("/"), 0);
        if (found.isEmpty())
            break;
        if (nameExists(found)) {
            if (relative && found.startsWith(base))
                found.remove(0, base.size());
            return {found, PathMatch::OtherCase};
        }
        forgetListings(walk.visited);
    }
    return {path, PathMatch::Missing};
}

void forgetFolderListings()
{
    ListingCache& shared = cache();
    const QMutexLocker lock(&shared.mutex);
    shared.folders.clear();
    shared.listingsRead = 0;
}

int folderListingsRead()
{
    return cache().listingsRead;
}

} // namespace quillomat
