#pragma once

#include "check/Report.h"
#include "text/IniFile.h"

#include <QStringList>

#include <optional>

namespace quillomat {

// The file read as the program reads it, with what follows reported against it; nullopt when it
// cannot be opened for reading, as the program's loaders test it.
std::optional<IniFile> loadForCheck(Report& report, const QString& file);

// Warnings for the keys of one section that no reader looks at (with the known key they most
// likely misspell, if one is close) and for keys given again, whose later values are never read.
// Known keys match without regard to case, as the readers match them.
void checkSectionKeys(Report& report, const IniFile& ini, const QString& section,
                      const QStringList& knownKeys);

// A section written again later in the file is read as one with the first: its keys are added
// to those of the first, where a key already given is ignored. One finding per repetition.
void checkRepeatedSections(Report& report, const IniFile& ini, Severity severity,
                           const QString& message);

// The known key that `key` is most likely a misspelling of (at most two letters added, left out
// or changed, without regard to case); empty when none is that close.
QString nearestKey(const QString& key, const QStringList& knownKeys);

} // namespace quillomat
