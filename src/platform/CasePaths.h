#pragma once

#include <QString>

namespace quillomat {

// Discs are often written on Windows, where file names ignore letter case: a menu may say
// SETUP\SETUP.EXE where the disc holds setup/Setup.exe. These functions find such files.

enum class PathMatch
{
    Exact,
    OtherCase,
    Missing
};

struct ResolvedPath
{
    QString path;
    PathMatch match;
};

// Where `path` (absolute, '/'-separated) does not exist as written, finds it component by
// component without regard to letter case; folder listings are read once and kept for the
// session. Exact: exists as written (path unchanged). OtherCase: found with another case (path
// is the one on disc). Missing: not found (path unchanged). Thread-safe.
//
// In each folder a name that matches exactly wins; among several names that differ only in
// case, the one that sorts first by code unit is taken (so "README.TXT" before "Readme.txt"
// before "readme.txt"), whatever order the file system lists them in; where folders differ only
// in case, each is tried in that order until one holds the rest of the path. "." is skipped
// and ".." goes up one folder, and a name not found is looked for without the dots and spaces
// that end it, as Windows reads them. A relative path is looked for from the
// current folder, and what is found is given relative to it.
ResolvedPath resolvePathCase(const QString& path);

// Drops every folder listing kept so far, so that files added since are seen.
void forgetFolderListings();

// How many folder listings have been read since the last forgetFolderListings().
int folderListingsRead();

} // namespace quillomat
