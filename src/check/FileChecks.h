#pragma once

#include "check/Report.h"

#include <QSize>
#include <QString>

#include <optional>

namespace quillomat {

// The file of that name in the folder of `file`, written as the user wrote `file`'s folder
// (a file in the current folder keeps a bare name).
QString besideFile(const QString& file, const QString& name);

// The file a key names, as the program will find it: nullopt, with an error, when it is not
// there in any letter case; the name on disc, with a warning, when it is there only in another
// letter case (which this program finds but a disc read elsewhere may not). A relative path
// stays relative in what is reported and returned.
std::optional<QString> locateNamedFile(Report& report, const QString& section, const QString& key,
                                       const QString& path);

// The run file opens: it is a program, or a file of a type an application on this machine
// opens. A warning otherwise: the machines the disc is used on may have that application.
void checkRunFile(Report& report, const QString& section, const QString& key, const QString& path);

// The description is a readable text: a regular file, RTF when it is named so, RTF that is not
// cut short, no binary data, and not empty.
void checkDescription(Report& report, const QString& section, const QString& key,
                      const QString& path);

// The preview picture is a BMP or JPEG that Qt reads and that fits on the screen: the preview
// window shows it unscaled.
void checkPicture(Report& report, const QString& section, const QString& key, const QString& path,
                  QSize screen);

} // namespace quillomat
