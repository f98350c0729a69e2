#pragma once

#include <QStringList>

#include <cstddef>
#include <functional>
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
// The files are 0 to count - 1, named by `pathAt` when asked (more than once each), so that a
// catalogue of 100,000 packages need not hold all their joined paths at once.
std::vector<std::size_t> orderOnMedium(std::size_t count,
                                       const std::function<QString(std::size_t)>& pathAt);

inline std::vector<std::size_t> orderOnMedium(const QStringList& paths)
{
    return orderOnMedium(std::size_t(paths.size()),
                         [&paths](std::size_t i) { return paths[qsizetype(i)]; });
}

} // namespace quillomat
