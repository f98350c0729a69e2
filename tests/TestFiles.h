#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>

// Writing the files a test reads: one way for every suite.

// Writes a file whole, making its folder first; false when it cannot.
inline bool writeTestFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The same for fixtures, which have no way to report a failure: the test run ends instead.
inline void writeFixtureFile(const QString& path, const QByteArray& bytes)
{
    if (!writeTestFile(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
}
