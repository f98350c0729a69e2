#pragma once

#include <QString>

namespace quillomat {

// The root of the drive that holds the path, ending in '/': where a disc's packages are found
// when the program runs from the disc itself.
// - Windows: the drive letter's root ("E:/" for E:\start\quillomat.exe), or the share's root
//   for a network path ("//server/share/" for \\server\share\start\quillomat.exe).
// - Linux: the mount point of the file system that holds the path; a path that does not exist
//   is taken from its nearest existing folder; "/" when nothing can be resolved.
QString driveRootOf(const QString& path);

// Where a path that begins with a drive letter ("E:\setup.exe", as menus written on Windows
// have them) leads, '/'-separated:
// - Windows: to that drive, as written;
// - Linux, which has no drive letters: to `driveRoot`, the disc's drive root, with what comes
//   after "X:" and its separators joined to it ("E:", "E:\" and "E:/" name the root itself;
//   "E:dir" is read from the root too, since a disc's current folder is its root).
QString pathOnDrive(const QString& driveRoot, QStringView pathWithDriveLetter);

// True where a drive letter names a drive of this machine whatever drive root is given
// (Windows); false where it stands for the drive root (Linux).
bool driveLettersNameDrives();

} // namespace quillomat
