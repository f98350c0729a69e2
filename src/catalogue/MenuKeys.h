#pragma once

#include "text/IniFile.h"

#include <QString>
#include <QStringView>

#include <span>

// The sections and keys of a menu file: what the loader reads, and what the disc checker knows
// a menu file by.
namespace quillomat::menukeys {

// The header section, not a package; its one key names the folder the paths are joined to.
inline constexpr QStringView kHeaderSection = u"!Quillomat menu file generator";
inline constexpr QStringView kCdFolderKey = u"CDFolder";

// The values of a package section the loader reads (empty when absent).
struct PackageValues
{
    QString company, category, runFile, textFile, bitmap;
};

struct PackageKey
{
    QStringView name;
    QString PackageValues::*field;
    bool namesFile; // a path joined to the CD folder
};

inline constexpr PackageKey kPackageKeys[] = {
    {QStringView(u"Company"), &PackageValues::company, false},
    {QStringView(u"Category"), &PackageValues::category, false},
    {QStringView(u"RunFile"), &PackageValues::runFile, true},
    {QStringView(u"TextFile"), &PackageValues::textFile, true},
    {QStringView(u"Bitmap"), &PackageValues::bitmap, true},
};

// The first value of each key the loader reads, from one pass over the section's pairs.
PackageValues packageValues(std::span<const IniFile::KeyValue> pairs);

} // namespace quillomat::menukeys
