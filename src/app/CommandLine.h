#pragma once

#include <QString>
#include <QStringList>

namespace quillomat {

// Which menu file to read and which CD folder to join its paths with.
struct StartFiles
{
    QString menuFile;
    QString cdFolder;  // empty: the menu file's own CDFolder key decides
    QString driveRoot; // what a drive letter in the menu stands for, ending in '/'
};

// Works out the start files from the arguments (without the program itself):
// - "/TEST" in any case followed by a folder: the menu file beside the program, that folder,
//   which also stands for the drive (a menu written with E:\ paths, tested from a folder, finds
//   its files there; where drive letters name real drives, they still do);
// - otherwise a first argument: that menu file, with an empty folder;
// - no argument: the menu file beside the program, on the program's own drive.
// Without "/TEST" a drive letter stands for the program's own drive.
// programFolder and driveRoot end in '/'.
StartFiles resolveStartFiles(const QStringList& arguments, const QString& programFolder,
                             const QString& driveRoot);

} // namespace quillomat
