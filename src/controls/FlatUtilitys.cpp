#include "controls/FlatUtilitys.h"

#include "controls/HSLUtils.h"

#include <algorithm>

namespace quillomat {

ColorValue DeriveAdvColor(ColorValue parentColor, ColorValue currentColor, int percentage)
{
    if (percentage == 0)
        return currentColor;
    const ScaledHsl hsl = ColorToScaledHsl(resolveColorValue(parentColor));
    // A percentage below 10 on a very light parent would push the luminance past white, where
    // the channels would overflow; such a shade stays white.
    const int luminance = std::clamp(hsl.l + 10 - percentage, 0, HslScale);
    return ScaledHslToColor(hsl.h, hsl.s, luminance);
}

bool RectsOverlap(const QRect& a, const QRect& b)
{
    return a.intersects(b);
}

} // namespace quillomat
