#pragma once

#include "installers/InstallerInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quillomat {

// One package found on a medium: the files a menu entry names, as absolute paths (empty where
// the folder has none), and what its installers say.
struct PackageDraft
{
    QString folder;
    QString runFile, textFile, bitmap;
    QStringList otherRunFiles; // file names of the folder's other things to run, best first
    InstallerInfo info;        // merged from the folder's installers, the run file's first
    QStringList notes; // what the author should know: installers whose metadata was not read
};

struct PackageScan
{
    QList<PackageDraft> packages;
    QStringList unreadableFolders;
};

// The packages under `root`, in folder order. A folder that holds something to run is one
// package, and its subfolders are its own; a folder with nothing to run is looked into, and is
// a package of its documents when none of its subfolders gives one. Hidden folders, linked
// folders and the menu program's own folder are passed over. Reads only.
PackageScan findPackages(const QString& root);

} // namespace quillomat
