#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quillomat {

// Menu files are written on Windows: backslashes separate folders and paths may name a drive.
// These rules turn them into paths for this system. A drive letter there means the medium the
// program runs from, so it stands for `driveRoot` here (the mount point of the program's file
// system, ending in '/').

// True when the text starts with an ASCII letter and a colon ("E:", "e:\x", "C:/y").
bool startsWithDriveLetter(QStringView text);

// The CD folder as the packages' files are resolved against it: a leading drive letter becomes
// the drive root, backslashes become '/', and a '/' is appended when it does not end in one (so
// an empty folder becomes "/").
QString settledCdFolder(const QString& folder, const QString& driveRoot);

// A RunFile, TextFile or Bitmap value resolved against a settled CD folder. Empty stays empty.
// A value with a drive letter is the drive root followed by the rest of the value; one that
// begins with '/' or with two backslashes is kept as it is; one beginning with a single
// backslash is joined to the folder with one separator; anything else is appended to the
// folder. Backslashes become '/'.
QString resolvedOnDisc(const QString& cdFolder, const QString& value, const QString& driveRoot);

// The part of a value that the rules above join to the CD folder, as written (backslashes
// and all); nullopt for an empty value and for one they do not join to it.
std::optional<QStringView> partInFolder(QStringView value);

} // namespace quillomat
