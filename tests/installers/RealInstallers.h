#pragma once

// Real installers of each kind, made with the tools that make them in the wild: the mingw-w64
// resource compiler and linker, msitools, dpkg-deb. An RPM is written byte by byte, as rpmbuild
// is too heavy to need for a test. Each maker returns an empty string on success, else why it
// could not (a missing tool: the caller skips).

#include "TestFiles.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

namespace installers {

inline QString runTool(const QString& program, const QStringList& arguments,
                       const QString& folder = QString())
{
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return program + QStringLiteral(" is not installed (scripts/debian-packages.txt lists it)");
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(found, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return program + QStringLiteral(" failed: ") +
               QString::fromLocal8Bit(process.readAllStandardError());
    return {};
}

// A Windows program whose version resource holds these strings (resource-script syntax).
inline QString makeWindowsProgram(const QString& exe, const QByteArray& strings)
{
    const QString work = exe + QStringLiteral(".src");
    writeFixtureFile(work + "/v.rc",
                     "1 VERSIONINFO\nFILEVERSION 1,0,0,0\nBEGIN\n BLOCK \"StringFileInfo\"\n"
                     " BEGIN\n  BLOCK \"040904b0\"\n  BEGIN\n" +
                         strings +
                         "\n  END\n END\n BLOCK \"VarFileInfo\"\n BEGIN\n"
                         "  VALUE \"Translation\", 0x409, 1200\n END\nEND\n");
    writeFixtureFile(work + "/m.c", "int main(void) { return 0; }\n");
    QString error =
        runTool("x86_64-w64-mingw32-windres", {"v.rc", "-O", "coff", "-o", "v.o"}, work);
    if (error.isEmpty())
        error = runTool("x86_64-w64-mingw32-gcc", {"-o", exe, "m.c", "v.o"}, work);
    QDir(work).removeRecursively();
    return error;
}

// With a Property table when `properties` holds "Name\tValue" lines.
inline QString makeMsi(const QString& msi, const QString& subject, const QString& author,
                       const QByteArray& properties = QByteArray())
{
    QDir().mkpath(QFileInfo(msi).absolutePath());
    QString error = runTool("msibuild", {msi, "-s", subject, author, ";1033",
                                         "{12345678-1234-1234-1234-123456789012}"});
    if (error.isEmpty() && !properties.isEmpty()) {
        const QString idt = msi + QStringLiteral(".src/Property.idt");
        writeFixtureFile(idt, "Property\tValue\r\ns72\tl0\r\nProperty\tProperty\r\n" + properties);
        error = runTool("msibuild", {msi, "-i", idt});
        QDir(msi + QStringLiteral(".src")).removeRecursively();
    }
    return error;
}

// compression: gzip, xz or zstd.
inline QString makeDeb(const QString& deb, const QByteArray& control, const QString& compression)
{
    const QString work = deb + QStringLiteral(".src");
    writeFixtureFile(work + "/DEBIAN/control", control);
    const QString error =
        runTool("dpkg-deb", {"-Z" + compression, "--root-owner-group", "-b", work, deb});
    QDir(work).removeRecursively();
    return error;
}

// The bytes of an RPM package: lead, empty signature, a header with these string tags (Group
// as a translatable string, as rpmbuild writes it), no payload.
inline QByteArray rpmBytes(const QList<std::pair<quint32, QByteArray>>& tags)
{
    auto be32 = [](quint32 value) {
        QByteArray bytes(4, '\0');
        qToBigEndian(value, bytes.data());
        return bytes;
    };
    QByteArray lead = QByteArray::fromHex("EDABEEDB03000000");
    lead.resize(96, '\0');
    const QByteArray magic = QByteArray::fromHex("8EADE80100000000");
    QByteArray index, store;
    for (const auto& [tag, value] : tags) {
        index += be32(tag) + be32(tag == 1016 ? 9 : 6) + be32(quint32(store.size())) + be32(1);
        store += value + '\0';
    }
    return lead + magic + be32(0) + be32(0) + magic + be32(quint32(tags.size())) +
           be32(quint32(store.size())) + index + store;
}

} // namespace installers
