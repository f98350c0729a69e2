#include "platform/ProgramFolder.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quillomat {

namespace {

// The fields of a /proc/self/maps line before the mapped file's path: address range,
// permissions, offset, device and inode.
constexpr int kMapsFieldsBeforePath = 5;

// The path of the file mapped at `address`, from one /proc/self/maps line; empty when the
// line's range does not hold it or maps no file.
QByteArray mappedFileAt(const QByteArray& line, quintptr address)
{
    const qsizetype dash = line.indexOf('-');
    const qsizetype space = line.indexOf(' ');
    if (dash <= 0 || space <= dash)
        return {};
    bool startOk = false;
    bool endOk = false;
    const quintptr start = line.left(dash).toULongLong(&startOk, 16);
    const quintptr end = line.mid(dash + 1, space - dash - 1).toULongLong(&endOk, 16);
    if (!startOk || !endOk || address < start || address >= end)
        return {};
    // The path starts after the fixed fields and the padding; it may itself hold spaces.
    qsizetype at = 0;
    for (int field = 0; field < kMapsFieldsBeforePath && at < line.size(); ++field) {
        while (at < line.size() && line[at] == ' ')
            ++at;
        while (at < line.size() && line[at] != ' ')
            ++at;
    }
    while (at < line.size() && line[at] == ' ')
        ++at;
    QByteArray path = line.mid(at);
    if (!path.startsWith('/'))
        return {}; // anonymous memory, [heap], ...
    // The kernel writes a newline in a name as \012, and marks a file replaced since as deleted.
    path.replace("\\012", "\n");
    const QByteArray deleted = " (deleted)";
    if (path.endsWith(deleted))
        path.chop(deleted.size());
    return path;
}

// The file this very function is mapped from: the program, however it was started.
QString fileOfOwnCode()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {};
    const auto address = reinterpret_cast<quintptr>(&fileOfOwnCode);
    const QList<QByteArray> lines = maps.readAll().split('\n');
    for (const QByteArray& line : lines) {
        const QByteArray path = mappedFileAt(line, address);
        if (!path.isEmpty())
            return QFile::decodeName(path);
    }
    return {};
}

} // namespace

QString programFilePath()
{
    static const QString path = fileOfOwnCode();
    if (!path.isEmpty() || !QCoreApplication::instance())
        return path;
    return QCoreApplication::applicationFilePath(); // no /proc
}

void useOwnPlugins()
{
    const QString plugins = programFolder() + QStringLiteral("plugins");
    if (!QFileInfo(plugins).isDir())
        return; // a build tree: Qt's own plugins
    // Read by Qt when it makes the application object, ahead of every library path.
    qunsetenv("QT_QPA_PLATFORM_PLUGIN_PATH");
    QCoreApplication::setLibraryPaths({QDir::cleanPath(plugins)});
}

} // namespace quillomat
