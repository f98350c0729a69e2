#pragma once

#include "graphics/ColorValue.h"

#include <QRect>

namespace quillomat {

// A darker shade of parentColor for the flat controls' derived colours: the parent's scaled
// luminance raised by 10 and lowered by percentage (0..100), not below 0 and not above full
// white. Percentage 0 returns currentColor unchanged, system colour or not.
ColorValue DeriveAdvColor(ColorValue parentColor, ColorValue currentColor, int percentage);

// True when the two rectangles share at least one pixel.
bool RectsOverlap(const QRect& a, const QRect& b);

} // namespace quillomat
