#pragma once

#include "installers/PackageScan.h"

#include <QByteArray>

namespace quillomat {

// A menu file for `packages`, to be checked and completed by hand: one section per package
// with its files relative to `cdFolder` (with backslashes, as a menu written on Windows has
// them), comment lines where the author has something to fill in, in UTF-8 with a byte-order
// mark and CRLF line ends. `cdFolder` is also the header's CDFolder.
QByteArray draftMenu(const QList<PackageDraft>& packages, const QString& cdFolder);

// How many of the drafted packages lack a company or a category.
qsizetype packagesToComplete(const QList<PackageDraft>& packages);

} // namespace quillomat
