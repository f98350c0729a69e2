#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include <array>
#include <cstdint>

namespace quillomat::artwork {

// Classic gradient noise on a fixed, seeded permutation, so that the artwork is reproducible.
class GradientNoise
{
public:
    explicit GradientNoise(std::uint32_t seed);

    // Smooth noise in about [-1, 1].
    double noise(double x, double y) const;
    // Sum of |noise| over several octaves: the turbulence that bends the marble's veins.
    double turbulence(double x, double y, int octaves) const;
    // Sum of signed noise over several octaves: soft clouds for the colour tint.
    double fractal(double x, double y, int octaves) const;

private:
    std::array<std::uint8_t, 512> m_permutation{};
};

// How a marble slab looks: base stone, vein colour and a warm tint mixed in by soft clouds.
struct MarbleStyle
{
    QColor stone{0xdd, 0xdd, 0xe1};
    QColor vein{0x6f, 0x7c, 0x92};
    QColor tint{0xd9, 0xcf, 0xbd};
    double veinFrequency = 0.012; // veins per pixel along the slab's grain
    double turbulencePower = 2.6; // how far the turbulence bends the veins
    double turbulenceScale = 1.0 / 90.0;
    std::uint32_t seed = 101;
};

// A slab of marble of the given size in pixels, opaque RGB32, with `scale` pixels per unit of
// the style's measures: at scale 2 the same slab at twice the resolution.
QImage marble(QSize size, const MarbleStyle& style, int scale = 1);

} // namespace quillomat::artwork
