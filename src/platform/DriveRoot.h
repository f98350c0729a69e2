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

} // namespace quillomat
