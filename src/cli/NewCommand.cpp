#include "cli/NewCommand.h"

#include "cli/Output.h"
#include "installers/MenuDraft.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillomat {
namespace {

constexpr int kExitCannotOpen = 1;
constexpr int kExitUsage = 2;

int fail(int status, const QString& message)
{
    writeError(QStringLiteral("quillomat-catalogue: ") + message);
    return status;
}

// Writes the menu into a file that must not exist yet; a half-written file is removed.
bool writeNewFile(const QString& path, const QByteArray& bytes, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        error = QFileInfo::exists(path) || QFileInfo(path).isSymLink()
                    ? QStringLiteral("\"%1\" already exists; a drafted menu replaces nothing: "
                                     "give a new file name")
                          .arg(path)
                    : QStringLiteral("cannot write \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        error = QStringLiteral("cannot write \"%1\": %2").arg(path, file.errorString());
        file.close();
        file.remove();
        return false;
    }
    return true;
}

} // namespace

int runNew(const NewOptions& options)
{
    const QFileInfo folder(options.folder);
    if (!folder.isDir() || !QDir(options.folder).isReadable())
        return fail(kExitCannotOpen,
                    QStringLiteral("cannot read the folder \"%1\"").arg(options.folder));
    const QString cdFolder = QDir(options.cdFolder.value_or(options.folder)).absolutePath();
    if (!QFileInfo(cdFolder).isDir())
        return fail(kExitCannotOpen, QStringLiteral("cannot read the folder \"%1\"").arg(cdFolder));
    const QString inside = QDir(cdFolder).relativeFilePath(folder.absoluteFilePath());
    if (inside == QStringLiteral("..") || inside.startsWith(QStringLiteral("../")) ||
        QDir::isAbsolutePath(inside))
        return fail(kExitUsage, QStringLiteral("\"%1\" is not inside the CD folder \"%2\"")
                                    .arg(options.folder, cdFolder));
    if (options.menuFile && QFileInfo::exists(*options.menuFile))
        return fail(kExitCannotOpen, QStringLiteral("\"%1\" already exists; a drafted menu "
                                                    "replaces nothing: give a new file name")
                                         .arg(*options.menuFile));

    const PackageScan scan = findPackages(options.folder);
    for (const QString& unreadable : scan.unreadableFolders)
        writeError(QStringLiteral("quillomat-catalogue: warning: cannot read the folder \"%1\"")
                       .arg(unreadable));
    const QByteArray menu = draftMenu(scan.packages, cdFolder);
    if (options.menuFile) {
        QString error;
        if (!writeNewFile(*options.menuFile, menu, error))
            return fail(kExitCannotOpen, error);
    } else {
        writeOut(menu);
    }
    const qsizetype toComplete = packagesToComplete(scan.packages);
    writeError(QStringLiteral("quillomat-catalogue: %1 drafted%2")
                   .arg(scan.packages.size() == 1
                            ? QStringLiteral("1 package")
                            : QStringLiteral("%1 packages").arg(scan.packages.size()))
                   .arg(toComplete == 0 ? QString()
                                        : QStringLiteral("; %1 need a company or category "
                                                         "filled in (see the ; lines)")
                                              .arg(toComplete)));
    return 0;
}

} // namespace quillomat
