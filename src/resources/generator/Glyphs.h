#pragma once

#include <QImage>

namespace quillomat::artwork {

// Each picture is drawn at scale 1 or 2: the second has twice the resolution, for screens of
// twice the density, and is drawn for it rather than enlarged.

// 12 x 10 glyphs of the close and minimize buttons: pure black sign on silver (0xC0C0C0).
// Only these two colours occur: the skin recolours every pixel that is not silver, so an
// anti-aliased edge would turn into a solid sign colour.
QImage closeGlyph(int scale = 1);
QImage minimizeGlyph(int scale = 1);

// 10 x 14 glyph of the help button: a yellow question mark on silver, in a 16-colour palette.
QImage helpGlyph(int scale = 1);

// 16 x 16 images of the help menu: 0 help, 1 about; transparent background.
QImage menuHelpImage(int scale = 1);
QImage menuAboutImage(int scale = 1);

} // namespace quillomat::artwork
