#pragma once

#include <QFile>
#include <QString>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// Things of the system under test that stand where a file is expected.

// A device: on Linux one that never ends, on Windows one that is no file on a disk.
#ifdef Q_OS_WIN
inline const QString kDevicePath = QStringLiteral("NUL");
#else
inline const QString kDevicePath = QStringLiteral("/dev/zero");
#endif

// Whether a drive letter in a menu ("E:\\setup.exe") leads to the disc's drive root (Linux,
// which has no drive letters) rather than to that drive (Windows).
#ifdef Q_OS_WIN
inline constexpr bool kDriveLettersLeadToTheDiscRoot = false;
#else
inline constexpr bool kDriveLettersLeadToTheDiscRoot = true;
#endif

// Whether named pipes live in the file system and files carry execute bits (Linux); Windows
// keeps pipes apart and runs files by their extension.
#ifdef Q_OS_UNIX
inline constexpr bool kNamedPipesInFileSystem = true;
inline constexpr bool kExecuteBitsInFileSystem = true;
#else
inline constexpr bool kNamedPipesInFileSystem = false;
inline constexpr bool kExecuteBitsInFileSystem = false;
#endif

// Makes a named pipe without a writer at `path`; false where that fails or cannot be.
inline bool makeNamedPipe(const QString& path)
{
#ifdef Q_OS_UNIX
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#else
    Q_UNUSED(path);
    return false;
#endif
}
