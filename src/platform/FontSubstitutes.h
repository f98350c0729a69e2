#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace quillomat {

// A font family and the installed families that take its place when it is missing.
struct FontSubstitute
{
    QString family;
    QStringList substitutes;
};

// Layouts, skins and RTF texts name the fonts of Windows desktops ("MS Sans Serif", "Tahoma",
// "Arial", ...). Where such a font is not installed, these name the installed families that
// come closest in width, so that captions sized for the original still fit. The widget layer
// hands them to the font database.
std::vector<FontSubstitute> windowsFontSubstitutes();

} // namespace quillomat
