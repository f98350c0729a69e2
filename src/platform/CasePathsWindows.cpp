#include "platform/CasePaths.h"

#include <QFileInfo>

namespace quillomat {

// Windows' file systems ignore letter case themselves: a path that exists in any case opens as
// written, so there is nothing to look for and no listing to keep.

ResolvedPath resolvePathCase(const QString& path)
{
    return {path, QFileInfo::exists(path) ? PathMatch::Exact : PathMatch::Missing};
}

void forgetFolderListings() {}

int folderListingsRead()
{
    return 0;
}

} // namespace quillomat
