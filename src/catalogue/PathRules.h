#pragma once

#include <QString>

namespace quillomat {

// Menu files are written on Windows: backslashes separate folders and paths may name a drive.
// These rules turn them into paths for this system.

// The CD folder as the packages' files are resolved against it: backslashes become '/', and a
// '/' is appended when it does not end in one (so an empty folder becomes "/").
QString settledCdFolder(const QString& folder);

// A RunFile, TextFile or Bitmap value resolved against a settled CD folder. Empty stays empty.
// A value that is absolute as written (it begins with '/', with a drive letter and a colon, or
// with two backslashes) is kept as it is; a value beginning with a single backslash is joined
// to the folder with one separator; anything else is appended to the folder. Backslashes
// become '/'.
QString resolvedOnDisc(const QString& cdFolder, const QString& value);

} // namespace quillomat
