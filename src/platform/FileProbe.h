#pragma once

#include <QString>

namespace quillomat {

// Opens the file read-only and closes it again. False when either step fails, which is what
// the loaders mean by "the file cannot be opened" (missing, unreadable, a folder, a device or
// a named pipe).
bool canOpenForReading(const QString& path);

} // namespace quillomat
