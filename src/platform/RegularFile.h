#pragma once

#include "platform/FileStamp.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

namespace quillomat {

// The stamp of a regular file (or of the file a link leads to); nullopt for anything else:
// missing, a folder, a device or a pipe. Never opens the file for reading.
std::optional<FileStamp> regularFileStamp(const QString& path);

// True for a regular file (or a link to one). Folders, devices and named pipes are not files
// the program reads: a device never ends, and opening a pipe waits for a writer.
bool isRegularFile(const QString& path);

// Opens the file read-only and closes it again. False when either step fails, which is what
// the loaders mean by "the file cannot be opened" (missing, unreadable, a folder, a device or
// a named pipe).
bool canOpenForReading(const QString& path);

// A whole regular file, read through one handle, with its stamp before and after reading, so
// that a caller can tell whether the file changed meanwhile.
struct RegularFileContent
{
    QByteArray bytes;
    FileStamp before, after;
};

// nullopt when the file is missing, unreadable or not a regular file (a device never ends and
// a pipe may wait for a writer: neither is opened in a way that could block), with the reason
// in `error` when one is given.
std::optional<RegularFileContent> readWholeRegularFile(const QString& path,
                                                       QString* error = nullptr);

// readWholeRegularFile from what the system holds in memory only: nullopt, without waiting for
// the medium, as soon as a part of the file would have to be read from it (and on any failure,
// and always where the system cannot tell). A reader that takes turns on a medium with one
// head needs no turn for such a file.
std::optional<RegularFileContent> readWholeRegularFileFromMemory(const QString& path);

// Reads a whole regular file; nullopt when it is missing, unreadable or not a regular file,
// with the reason in `error` when one is given.
std::optional<QByteArray> readRegularFile(const QString& path, QString* error = nullptr);

// Reads a regular file from start to end in blocks of at most `blockSize` bytes, handing each
// to `consume` as it arrives, so that a large file is never in memory whole. false, with the
// reason in `error` when one is given, when the file cannot be opened or read.
bool readRegularFileInBlocks(const QString& path, qsizetype blockSize,
                             const std::function<void(QByteArrayView)>& consume,
                             QString* error = nullptr);

} // namespace quillomat
