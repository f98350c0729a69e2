#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace quillomat {

// What tells one state of a file from another: size, times of the last write and of the last
// change of its metadata, and its identity (volume and file number).
struct FileStamp
{
    std::int64_t size = -1;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file (or of the file a link leads to); nullopt for anything else:
// missing, a folder, a device or a pipe. Never opens the file for reading.
std::optional<FileStamp> regularFileStamp(const QString& path);

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

// Reads a regular file from start to end in blocks of at most `blockSize` bytes, handing each
// to `consume` as it arrives, so that a large file is never in memory whole. false, with the
// reason in `error` when one is given, when the file cannot be opened or read.
bool readRegularFileInBlocks(const QString& path, qsizetype blockSize,
                             const std::function<void(QByteArrayView)>& consume,
                             QString* error = nullptr);

} // namespace quillomat
