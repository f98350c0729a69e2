#pragma once

#include "graphics/ColorValue.h"

namespace quillomat {

// Conversion between RGB colours (0x00BBGGRR, system colours already resolved) and hue,
// saturation and luminance. Every real-to-integer step rounds to nearest, halves to even.

inline constexpr int HslScale = 240;

struct Hsl
{
    double h = 0; // 0..1
    double s = 0; // 0..1
    double l = 0; // 0..1
};

// The integer form: hue 0..239 (scale HslScale - 1), saturation and luminance 0..240.
struct ScaledHsl
{
    int h = 0;
    int s = 0;
    int l = 0;
};

Hsl ColorToHsl(ColorValue rgb);

// Values outside 0..1 are accepted; a channel that would leave 0..255 saturates at its end.
ColorValue HslToColor(double h, double s, double l);

// One channel 0..255 for hue position x and the intermediate values m1, m2 of HslToColor
// (not clamped: HslToColor clamps when it assembles the colour).
int HueToChannel(double x, double m1, double m2);

ScaledHsl ColorToScaledHsl(ColorValue rgb);
ColorValue ScaledHslToColor(int h, int s, int l);

} // namespace quillomat
