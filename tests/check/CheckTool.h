#pragma once

// Runs `quillomat-catalogue check` on a desktop of its own, so that which files "an application
// on this machine opens" is the same on every machine: with documents, text, HTML and PDF files
// open in one application; without, nothing but programs opens.

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace checktool {

enum class Desktop
{
    WithDocuments,
    Bare,
};

struct Result
{
    int exitCode = -1;
    QByteArray out, err;
};

inline Result run(const QStringList& arguments, const QString& workingFolder, Desktop desktop)
{
    QTemporaryDir sandbox;
    const QString root = sandbox.path();
    if (desktop == Desktop::WithDocuments) {
        writeTestFile(root + "/data/applications/quillomat-reader.desktop",
                      "[Desktop Entry]\nType=Application\nName=Reader\nExec=true %f\n"
                      "MimeType=text/plain;text/html;application/pdf;\n");
        writeTestFile(root + "/data/mime/globs2", "50:text/plain:*.txt\n50:text/html:*.html\n"
                                                  "50:application/pdf:*.pdf\n");
        writeTestFile(
            root + "/config/mimeapps.list",
            "[Default Applications]\ntext/plain=quillomat-reader.desktop\n"
            "text/html=quillomat-reader.desktop\napplication/pdf=quillomat-reader.desktop\n");
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", root + "/data");
    environment.insert("XDG_CONFIG_HOME", root + "/config");
    environment.insert("XDG_DATA_DIRS", root + "/system-data");
    environment.insert("XDG_CONFIG_DIRS", root + "/system-config");
    environment.remove("XDG_CURRENT_DESKTOP");
    environment.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + root + "/no-bus");
    environment.insert("GIO_USE_VFS", "local");

    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(QUILLOMAT_CATALOGUE_TOOL), QStringList{"check"} + arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

} // namespace checktool
