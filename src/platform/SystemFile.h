#pragma once

// The few file operations the regular-file reader needs, one implementation per system
// (RegularFile<System>.cpp); only RegularFile.cpp uses them.

#include "platform/FileStamp.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace quillomat::systemfile {

using Handle = std::intptr_t;
inline constexpr Handle kNoHandle = -1;

// Opens a file for reading without ever waiting (a pipe without a writer does not block).
// kNoHandle when it cannot, with `missing` set when there is no such file and the system's
// reason otherwise.
Handle openForReading(const QString& path, bool& missing, QString& reason);

// The stamp of an open file; nullopt when it is not a regular file on a disk.
std::optional<FileStamp> stampOf(Handle handle);

// Reads up to `size` bytes; 0 at the end, -1 on an error with the system's reason.
std::int64_t readSome(Handle handle, char* into, std::int64_t size, QString& reason);

// True when the system holds the first `size` bytes of the open file in memory, found out
// without reading anything from the medium; false where the system cannot tell.
bool isInMemory(Handle handle, std::int64_t size);

void close(Handle handle);

} // namespace quillomat::systemfile
