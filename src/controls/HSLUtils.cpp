#include "controls/HSLUtils.h"

#include <algorithm>
#include <cmath>

namespace quillomat {

namespace {

// std::nearbyint follows the default rounding mode, round half to even.
int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

int channelByte(int channel)
{
    return std::clamp(channel, 0, 255);
}

} // namespace

Hsl ColorToHsl(ColorValue rgb)
{
    const double r = (rgb & 0xFF) / 255.0;
    const double g = ((rgb >> 8) & 0xFF) / 255.0;
    const double b = ((rgb >> 16) & 0xFF) / 255.0;
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    Hsl result;
    result.l = (max + min) / 2;
    if (max == min)
        return result;
    const double d = max - min;
    result.s = result.l < 0.5 ? d / (max + min) : d / (2 - max - min);
    double h;
    if (r == max)
        h = (g - b) / d;
    else if (g == max)
        h = 2 + (b - r) / d;
    else
        h = 4 + (r - g) / d;
    h /= 6;
    if (h < 0)
        h += 1;
    result.h = h;
    return result;
}

int HueToChannel(double x, double m1, double m2)
{
    if (x < 0)
        x += 1;
    else if (x > 1)
        x -= 1;
    double v;
    if (6 * x < 1)
        v = m1 + (m2 - m1) * x * 6;
    else if (2 * x < 1)
        v = m2;
    else if (3 * x < 2)
        v = m1 + (m2 - m1) * (2.0 / 3.0 - x) * 6;
    else
        v = m1;
    return roundHalfEven(255 * v);
}

ColorValue HslToColor(double h, double s, double l)
{
    int red, green, blue;
    if (s == 0) {
        red = green = blue = roundHalfEven(255 * l);
    } else {
        const double m2 = l <= 0.5 ? l * (1 + s) : l + s - l * s;
        const double m1 = 2 * l - m2;
        red = HueToChannel(h + 1.0 / 3.0, m1, m2);
        green = HueToChannel(h, m1, m2);
        blue = HueToChannel(h - 1.0 / 3.0, m1, m2);
    }
    return channelByte(red) + channelByte(green) * 256 + channelByte(blue) * 65536;
}

ScaledHsl ColorToScaledHsl(ColorValue rgb)
{
    const Hsl hsl = ColorToHsl(rgb);
    return {roundHalfEven(hsl.h * (HslScale - 1)), roundHalfEven(hsl.s * HslScale),
            roundHalfEven(hsl.l * HslScale)};
}

ColorValue ScaledHslToColor(int h, int s, int l)
{
    return HslToColor(static_cast<double>(h) / (HslScale - 1), static_cast<double>(s) / HslScale,
                      static_cast<double>(l) / HslScale);
}

} // namespace quillomat
