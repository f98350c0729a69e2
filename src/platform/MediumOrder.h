#pragma once

#include <QStringList>

#include <cstddef>
#include <optional>
#include <vector>

namespace quillomat {

// Where a file's first byte lies on its volume, as the file system reports it; nullopt where it
// does not (no such file, a file system or a system that keeps it to itself, an empty file).
std::optional<quint64> physicalOffset(const QString& path);

// The order in which to read many files with few seeks on a medium with one head: indices into
// `paths`. By physical position when the file system tells it for every file; otherwise by
// folder (in name order) and within a folder in the order its directory lists its entries,
// which on a mastered disc is the order the files were written in. Files that are not found
// come last, in their given order. May be slow on a slow medium: call it off the window's thread.
std::vector<std::size_t> orderOnMedium(const QStringList& paths);

} // namespace quillomat
