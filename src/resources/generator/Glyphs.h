#pragma once

#include <QImage>

namespace quillomat::artwork {

// 12 x 10 glyphs of the close and minimize buttons: pure black sign on silver (0xC0C0C0).
// Only these two colours occur: the skin recolours every pixel that is not silver, so an
// anti-aliased edge would turn into a solid sign colour.
QImage closeGlyph();
QImage minimizeGlyph();

// 10 x 14 glyph of the help button: a yellow question mark on silver, in a 16-colour palette.
QImage helpGlyph();

// 16 x 16 images of the help menu: 0 help, 1 about; transparent background.
QImage menuHelpImage();
QImage menuAboutImage();

} // namespace quillomat::artwork
