#pragma once

#include "check/Report.h"

#include <QSize>
#include <QString>

#include <optional>

namespace quillomat {

// The screen a preview picture must fit on when none is named: the smallest screen still
// common on the machines discs are made for. The author's own screen says nothing about theirs.
inline constexpr QSize kDefaultCheckScreen(1024, 768);

struct CheckOptions
{
    QString menuFile;
    QString cdFolder; // empty: the menu file's CDFolder key
    // What a drive letter in the menu stands for; nullopt: as the program takes it, the CD
    // folder when one is given (as with /TEST FOLDER), else the mount point of the file system
    // this program is on. Where drive letters name the machine's drives it is not used.
    std::optional<QString> driveRoot;
    // nullopt: "lang.ini" and "qmskin.ini" beside the menu file, where the program keeps them,
    // checked when they are there.
    std::optional<QString> languageFile;
    std::optional<QString> skinFile;
    QSize screen = kDefaultCheckScreen;
};

struct CheckOutcome
{
    // Empty when every file could be read; else the one that could not (the menu file, or a
    // language or skin file named in the options), and nothing was checked.
    QString unreadableFile;
    Report report;
};

// Everything the program will trip over on this disc, read only: the menu file's packages and
// their files, the language file and the skin file.
CheckOutcome checkDisc(const CheckOptions& options);

// The parts, for a caller that has one file only. Each returns false, reporting nothing, when
// its file cannot be read.
bool checkMenuFile(Report& report, const CheckOptions& options);
bool checkLanguageFile(Report& report, const QString& languageFile);
bool checkSkinFile(Report& report, const QString& skinFile);

} // namespace quillomat
