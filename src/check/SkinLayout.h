#pragma once

#include "catalogue/SkinKeys.h"
#include "check/Report.h"
#include "text/IniFile.h"

#include <QColor>
#include <QSize>
#include <QString>

namespace quillomat {

// What a skin does to the window as a user sees it at start: text colours that do not stand
// out from their fill, controls that lie partly outside the window, and a window larger than
// its background picture (`background`: the size of the picture the skin's background key
// loads, or of the built-in one). Keys the skin does not set keep their design values.
void checkSkinLayout(Report& report, const IniFile& ini, const QString& section, QSize background);

// The skin key of that name, matched without regard to case as the skin reader matches it; null
// for a key no reader knows.
const skinkeys::SkinKey* skinKeyNamed(QStringView name);

// The contrast of two opaque colours by their relative luminance, from 1 (the same) to 21
// (black on white), as the common accessibility guidelines measure it.
double contrastRatio(const QColor& first, const QColor& second);

} // namespace quillomat
