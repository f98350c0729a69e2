#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace quillomat {

// True for a regular file (or a link to one). Folders, devices and named pipes are not files
// the program reads: a device never ends, and opening a pipe waits for a writer.
bool isRegularFile(const QString& path);

// Reads a whole regular file; nullopt when it is missing, unreadable or not a regular file,
// with the reason in `error` when one is given.
std::optional<QByteArray> readRegularFile(const QString& path, QString* error = nullptr);

} // namespace quillomat
