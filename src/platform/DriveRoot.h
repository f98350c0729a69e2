#pragma once

#include <QString>

namespace quillomat {

// The mount point of the file system that holds the path, ending in '/': the counterpart of a
// Windows drive root ("E:\" for a program in E:\start\). A path that does not exist is taken
// from its nearest existing folder; "/" when nothing can be resolved.
QString driveRootOf(const QString& path);

} // namespace quillomat
